#include "AppHarness.h"
#include "render/FaceFinder.h"
#include "render/ProfileFiles.h"
#include "render/SelectionProposals.h"
#include "support/TestPictures.h"
#include "views/ImageView.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <tuple>

namespace {

template <class Case> std::string Named(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

void Key(QWidget* widget, Qt::Key key) {
    QTest::keyClick(widget, key, Qt::ControlModifier);
}

// A selection gesture: click, move, click.
void Span(AppHarness& app, QPoint from, QPoint to) {
    QTest::mouseClick(app.Find<QWidget>("baseImageView"), Qt::LeftButton, {}, from);
    QTest::mouseClick(app.Find<QWidget>("baseImageView"), Qt::LeftButton, {}, to);
}

// What the user sees, and what a run would be asked for.
auto Seen(AppHarness& app) {
    const RenderRequest r = app.Controller().Request();
    std::vector<QImage> previews;
    std::vector<bool> buttons{app.Find<QAbstractButton>("textBackgroundToggle")->isChecked()};
    for (const ProfileTarget& target : ProfileTargets::Targets()) {
        previews.push_back(app.Preview(target.objectName));
    }
    for (const ProfileLook& look : ProfileTargets::Looks()) {
        buttons.push_back(app.Find<QAbstractButton>(look.buttonName)->isChecked());
    }
    return std::tuple(r.source.cacheKey(), r.selection.x, r.selection.width, r.selection.y, r.looks,
                      r.colorize, r.text.text, r.text.size, r.text.useBackground, r.text.left,
                      previews, buttons);
}

struct UndoCase {
    const char* name;
    void (*edit)(AppHarness&);
};

class Undo : public testing::TestWithParam<UndoCase> {};

// Each edit is one step: undo brings back exactly what was there, redo what it made.
TEST_P(Undo, EachEditIsOneStepBackAndForth) {
    AppHarness app;
    app.Open(TestPictures::Gradient(90, 60));
    app.Click("buttonSepia");
    Span(app, {40, 40}, {200, 180});
    QUndoStack* stack = app.Controller().UndoStack();
    const int steps = stack->count();
    const auto before = Seen(app);
    GetParam().edit(app);
    ASSERT_EQ(stack->count(), steps + 1);
    const auto after = Seen(app);
    Key(app.Window(), Qt::Key_Z);
    EXPECT_EQ(Seen(app), before);
    QTest::keyClick(app.Window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Seen(app), after);
    stack->undo();
    EXPECT_EQ(stack->count(), steps + 1); // restoring records nothing
    app.Click("buttonSepia");             // the button and its flag still agree
    EXPECT_FALSE(app.Controller().options()[size_t(ProfileTargets::LookIndex("sepia"))]);
}

INSTANTIATE_TEST_SUITE_P(
    Studio, Undo,
    testing::Values(UndoCase{"Selection",
                             [](AppHarness& a) {
                                 Span(a, {9, 9}, {90, 99});
                             }},
                    UndoCase{"Look", [](AppHarness& a) { a.Click("buttonBW"); }},
                    UndoCase{"TypingIsOneStep",
                             [](AppHarness& a) { a.Type(QStringLiteral("Hello")); }},
                    UndoCase{"OpenedPicture",
                             [](AppHarness& a) { a.Open(TestPictures::Solid(8, 8, Qt::red)); }}),
    Named<UndoCase>);

struct FaceCase {
    const char* name;
    const char* photo;   // of Debian's opencv-doc (scripts/install-deps.sh)
    const char* cascade; // nullptr: the system's
    bool found;
};

class FindFace : public testing::TestWithParam<FaceCase> {};

// Ctrl+F selects the face proposal's square as one step; without a face or a cascade nothing moves.
TEST_P(FindFace, SelectsTheSquareAroundTheFace) {
    const FaceCase& c = GetParam();
    if (c.cascade != nullptr) {
        qputenv("TRELLICA_FACE_CASCADE", c.cascade);
    }
    AppHarness app;
    qunsetenv("TRELLICA_FACE_CASCADE");
    const QString path = QStringLiteral("/usr/share/doc/opencv-doc/examples/data/") + c.photo;
    app.Controller().filePanelDidEnd(path, 1);
    const FloatRect before = app.Controller().Request().selection;
    Key(app.Window(), Qt::Key_F);
    const FloatRect after = app.Controller().Request().selection;
    QWidget* button = app.Find<QWidget>("findFaceButton");
    EXPECT_EQ(button->isEnabled(), !button->toolTip().contains("face data")) << c.name;
    EXPECT_EQ(button->isEnabled(), c.cascade == nullptr);
    const FloatRect want =
        c.found ? SelectionProposals::FaceSquare(QImage(path), FaceFinder())->picture : before;
    EXPECT_NEAR(after.x, want.x, 0.01f);
    EXPECT_NEAR(after.y, want.y, 0.01f);
    EXPECT_NEAR(after.width, want.width, 0.01f);
    EXPECT_EQ(app.Status() == "No face found", !c.found && !c.cascade);
    if (c.found) {
        app.Controller().UndoStack()->undo();
        EXPECT_EQ(app.Controller().Request().selection.width, before.width);
    }
}

INSTANTIATE_TEST_SUITE_P(Studio, FindFace,
                         testing::Values(FaceCase{"Footballer", "messi5.jpg", nullptr, true},
                                         FaceCase{"NoFace", "building.jpg", nullptr, false},
                                         FaceCase{"NoCascade", "messi5.jpg", "none.xml", false}),
                         Named<FaceCase>);

class SaveFormat : public testing::TestWithParam<std::pair<const char*, const char*>> {};

// The type list starts at TIFF; the chosen type names and encodes every file.
TEST_P(SaveFormat, ChosenTypeNamesAndEncodesEveryFile) {
    const auto [decoder, extension] = GetParam();
    AppHarness app;
    app.Click("resetButton");
    app.Click("saveButton");
    auto* sheet = app.Window()->findChild<QFileDialog*>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->selectedNameFilter(), sheet->nameFilters().value(0));
    sheet->selectNameFilter(
        sheet->nameFilters().value(ProfileFiles::WritableFormats().indexOf(extension)));
    sheet->selectFile(app.Folder() + QStringLiteral("/me"));
    QMetaObject::invokeMethod(sheet, "accept");
    EXPECT_EQ(QDir(app.Folder()).entryList({QStringLiteral("me*")}).size(), 6);
    for (const char* stem :
         {"me_facebook", "me_twitter", "me_linkedin", "me_google", "me_skype", "me"}) {
        const QString file = app.Folder() + '/' + stem + '.' + extension;
        EXPECT_EQ(QImageReader(file).format(), decoder) << file.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Studio, SaveFormat,
                         testing::Values(std::pair{"tiff", "tif"}, std::pair{"jpeg", "jpg"}),
                         [](const auto& info) { return info.param.first; });

class RoundPreviews : public testing::TestWithParam<bool> {};

// Round: the square's corners show the window, its edges' middles the picture,
// and the picture held stays square.
TEST_P(RoundPreviews, ClipTheDrawingNotThePicture) {
    AppHarness app;
    app.Open(TestPictures::Solid(64, 64, Qt::red));
    app.Click("resetButton");
    auto* view = app.Find<ImageView>("skype96");
    const QImage held = view->image();
    app.Window()->findChild<QAction*>("roundPreviews")->setChecked(GetParam());
    const QImage drawn = view->grab().toImage();
    const QRect square = view->FittedRect().toRect();
    const auto red = [&](QPoint at) { return QColor(drawn.pixel(at)) == QColor(Qt::red); };
    EXPECT_EQ(red(square.topLeft() + QPoint(2, 2)), !GetParam());
    EXPECT_TRUE(red({square.left() + 1, square.center().y()}));
    EXPECT_TRUE(red({square.center().x(), square.bottom() - 1}));
    EXPECT_EQ(view->image(), held);
    EXPECT_EQ(held.size(), QSize(96, 96));
}

INSTANTIATE_TEST_SUITE_P(Studio, RoundPreviews, testing::Bool(),
                         [](const auto& info) { return info.param ? "Round" : "Square"; });

struct ClipboardCase {
    const char* name;
    char holds;   // 'p' a picture, 't' text, '-' nothing
    bool inField; // the keys go to the text field
    Qt::Key key;
    const char* status; // nullptr: as it was
    int sourceWidth;    // the source picture's afterwards
    const char* text;   // the clipboard's afterwards
};

class Clipboard : public testing::TestWithParam<ClipboardCase> {};

TEST_P(Clipboard, PastesAndCopiesPicturesButLeavesTheTextFieldItsOwn) {
    const ClipboardCase& c = GetParam();
    AppHarness app;
    app.Open(TestPictures::Gradient(90, 60));
    app.Type(QStringLiteral("Hi"));
    auto* field = app.Find<QLineEdit>("theTextField");
    field->selectAll();
    QClipboard* board = QGuiApplication::clipboard();
    board->clear();
    if (c.holds != '-') {
        c.holds == 'p' ? board->setImage(TestPictures::Solid(40, 30, Qt::blue))
                       : board->setText(QStringLiteral("Ho"));
    }
    QWidget* target = c.inField ? static_cast<QWidget*>(field) : app.Window();
    const QString before = app.Status();
    Key(target, c.key);
    EXPECT_EQ(app.Status(), c.status ? QString::fromUtf8(c.status) : before);
    EXPECT_EQ(app.Controller().theImage().width(), c.sourceWidth);
    EXPECT_EQ(board->text(), QLatin1String(c.text));
    EXPECT_EQ(field->text(), c.inField && c.key == Qt::Key_V ? "Ho" : "Hi");
    if (c.key == Qt::Key_C) {
        const QSize copied = c.inField ? QSize(0, 0) : app.Controller().croppedImage().size();
        EXPECT_EQ(board->image().size(), copied);
    }
}

constexpr char kNoPicture[] = "The clipboard holds no picture to paste";

INSTANTIATE_TEST_SUITE_P(
    Studio, Clipboard,
    testing::Values(ClipboardCase{"PastePicture", 'p', false, Qt::Key_V,
                                  "Pasted picture — 40 × 30 pixels", 40, ""},
                    ClipboardCase{"PasteText", 't', false, Qt::Key_V, kNoPicture, 90, "Ho"},
                    ClipboardCase{"PasteInTextField", 't', true, Qt::Key_V, nullptr, 90, "Ho"},
                    ClipboardCase{"Copy", '-', false, Qt::Key_C,
                                  "Copied the picture — 512 × 341 pixels", 90, ""}),
    Named<ClipboardCase>);

} // namespace
