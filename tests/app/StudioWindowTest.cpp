#include "AppHarness.h"
#include "app/ControlNames.h"
#include "render/FaceFinder.h"
#include "render/ProfileFiles.h"
#include "render/SelectionProposals.h"
#include "support/TestPictures.h"
#include "views/ImageView.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

void Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers more = {}) {
    QTest::keyClick(widget, key, Qt::ControlModifier | more);
}

// What the user sees, and what a run would be asked for.
auto Seen(AppHarness& app) {
    const RenderRequest r = app.Controller().Request();
    std::vector<bool> buttons;
    for (const char* name : ControlNames::LookButtons()) {
        buttons.push_back(app.Find<QAbstractButton>(name)->isChecked());
    }
    return std::tuple(r.selection.x, r.selection.width, r.looks, r.text.text,
                      app.Preview("facebook200"), buttons);
}

struct UndoCase {
    friend void PrintTo(const UndoCase& c, std::ostream* os) { *os << c.name; }
    const char* name;
    void (*edit)(AppHarness&);
};

class Undo : public testing::TestWithParam<UndoCase> {};

// Each edit is one step: undo brings back exactly what was there, redo what it made.
TEST_P(Undo, EachEditIsOneStepBackAndForth) {
    AppHarness app;
    app.Click("buttonSepia");
    QUndoStack* stack = app.Controller().UndoStack();
    const int steps = stack->count();
    const auto before = Seen(app);
    GetParam().edit(app);
    ASSERT_EQ(stack->count(), steps + 1);
    const auto after = Seen(app);
    Key(app.Window(), Qt::Key_Z);
    EXPECT_EQ(Seen(app), before);
    Key(app.Window(), Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_EQ(Seen(app), after);
    stack->undo();
    app.Click("buttonSepia"); // the button and its flag still agree
    EXPECT_FALSE(app.Controller().options()[size_t(ProfileTargets::LookIndex("sepia"))]);
}

void Select(AppHarness& a) {
    QTest::mouseClick(a.Find<QWidget>("baseImageView"), Qt::LeftButton, {}, {9, 9});
    QTest::mouseClick(a.Find<QWidget>("baseImageView"), Qt::LeftButton, {}, {90, 99});
}

INSTANTIATE_TEST_SUITE_P(
    Studio, Undo,
    testing::Values(UndoCase{"Selection", Select},
                    UndoCase{"Look", [](AppHarness& a) { a.Click("buttonBW"); }},
                    UndoCase{"TypingIsOneStep", [](AppHarness& a) { a.Type("Hello"); }},
                    UndoCase{"RotateRight", [](AppHarness& a) { Key(a.Window(), Qt::Key_R); }},
                    UndoCase{"StraightenFromTheSheet",
                             [](AppHarness& a) {
                                 a.Window()->findChild<QAction*>("straightenAction")->trigger();
                                 auto* slider = a.Find<QSlider>("straightenSlider");
                                 slider->setValue(-25); // as the keys set it: one edit
                                 slider->setValue(-30); // soon after: the same step
                                 EXPECT_EQ(a.Controller().Document().Straightening(), -3.0f);
                                 a.Find<QDialog>("straightenDialog")->reject();
                             }},
                    UndoCase{
                        "KeyPressesAreOneStep",
                        [](AppHarness& a) {
                            for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Down}) {
                                QTest::keyClick(a.Find<QWidget>("baseImageView"), key,
                                                Qt::ControlModifier);
                            }
                        }}),
    CaseName());

class FindFace : public testing::TestWithParam<std::pair<const char*, bool>> {};

// Ctrl+F selects the face proposal's square as one step; without a face nothing moves.
TEST_P(FindFace, SelectsTheSquareAroundTheFace) {
    const auto [photo, found] = GetParam(); // of Debian's opencv-doc (scripts/install-deps.sh)
    AppHarness app;
    const QString path = QStringLiteral("/usr/share/doc/opencv-doc/examples/data/") + photo;
    app.OpenFile(path);
    const FloatRect before = app.Controller().Request().selection;
    Key(app.Window(), Qt::Key_F);
    const FloatRect after = app.Controller().Request().selection;
    const FloatRect want =
        found ? SelectionProposals::FaceSquare(QImage(path), FaceFinder())->picture : before;
    EXPECT_NEAR(after.x, want.x, 0.01f);
    EXPECT_NEAR(after.width, want.width, 0.01f);
    EXPECT_EQ(app.Status() == "No face found", !found);
}

INSTANTIATE_TEST_SUITE_P(Studio, FindFace,
                         testing::Values(std::pair{"messi5.jpg", true},
                                         std::pair{"building.jpg", false}),
                         [](const auto& info) { return info.param.second ? "Face" : "NoFace"; });

// The chosen type names and encodes every file.
TEST(Studio, SavingAsPngWritesPngFiles) {
    AppHarness app;
    app.Click("resetButton");
    app.Click("saveButton");
    auto* sheet = app.Window()->findChild<QFileDialog*>();
    ASSERT_NE(sheet, nullptr);
    sheet->selectNameFilter(
        sheet->nameFilters().value(ProfileFiles::WritableFormats().indexOf("png")));
    sheet->selectFile(app.Folder() + QStringLiteral("/me"));
    QMetaObject::invokeMethod(sheet, "accept");
    const QStringList files = QDir(app.Folder()).entryList({QStringLiteral("me*.png")});
    EXPECT_EQ(files.size(), 6);
    for (const QString& file : files) {
        EXPECT_EQ(QImageReader(app.Folder() + '/' + file).format(), "png") << file.toStdString();
    }
}

class RoundPreviews : public testing::TestWithParam<bool> {};

// Round: the square's corners show the window; the picture held stays square.
TEST_P(RoundPreviews, ClipTheDrawingNotThePicture) {
    AppHarness app;
    app.Open(TestPictures::Solid(64, 64, Qt::red));
    app.Click("resetButton");
    auto* view = app.Find<ImageView>("skype96");
    app.Window()->findChild<QAction*>("roundPreviews")->setChecked(GetParam());
    const QImage drawn = view->grab().toImage();
    const QRect square = view->FittedRect().toRect();
    const auto red = [&](QPoint at) { return QColor(drawn.pixel(at)) == QColor(Qt::red); };
    EXPECT_EQ(red(square.topLeft() + QPoint(2, 2)), !GetParam());
    EXPECT_EQ(view->image().size(), QSize(96, 96));
}

INSTANTIATE_TEST_SUITE_P(Studio, RoundPreviews, testing::Bool(),
                         [](const auto& info) { return info.param ? "Round" : "Square"; });

// Ctrl+V in the window takes a picture as the source; in the text field it pastes text only.
TEST(Studio, PasteSetsTheSourceCopyTakesTheResultTheTextFieldKeepsItsOwn) {
    AppHarness app;
    app.Open(TestPictures::Gradient(90, 60));
    QClipboard* board = QGuiApplication::clipboard();
    board->setText(QStringLiteral("Ho"));
    Key(app.Window(), Qt::Key_V);
    EXPECT_EQ(app.Status(), "The clipboard holds no picture to paste");
    Key(app.Find<QWidget>("theTextField"), Qt::Key_V);
    EXPECT_EQ(app.Find<QLineEdit>("theTextField")->text(), "Ho");
    EXPECT_EQ(app.Controller().theImage().width(), 90);
    board->setImage(TestPictures::Solid(40, 30, Qt::blue));
    Key(app.Window(), Qt::Key_V);
    EXPECT_EQ(app.Status(), "Pasted picture — 40 × 30 pixels");
    EXPECT_EQ(app.Controller().theImage().size(), QSize(40, 30));
    Key(app.Window(), Qt::Key_C);
    EXPECT_EQ(board->image().size(), app.Controller().croppedImage().size());
}

} // namespace
