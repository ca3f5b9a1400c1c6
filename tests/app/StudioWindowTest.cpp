#include "AppHarness.h"
#include "render/FaceFinder.h"
#include "render/ProfileTargets.h"
#include "render/SelectionProposals.h"
#include "support/TestPictures.h"
#include "views/ColorWell.h"
#include "views/ImageView.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QMimeData>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace {

using Edit = std::function<void(AppHarness&)>;

QString Status(const AppHarness& app) {
    return app.Window()->statusBar()->currentMessage();
}

// Two clicks span a selection on the crop view.
void SelectWithClicks(AppHarness& app, QPoint from, QPoint to) {
    QWidget* view = app.Find<QWidget>("baseImageView");
    QTest::mouseClick(view, Qt::LeftButton, {}, from);
    QTest::mouseMove(view, to);
    QTest::mouseClick(view, Qt::LeftButton, {}, to);
}

// What the user sees and what a run would be asked for.
struct Seen {
    RenderRequest request;
    std::vector<QImage> previews;
    std::vector<bool> lookButtons;
    bool background;
    int textSize;
};

Seen Look(AppHarness& app) {
    Seen seen{app.Controller().Request(), {}, {}, false, 0};
    for (const ProfileTarget& target : ProfileTargets::Targets()) {
        seen.previews.push_back(app.Preview(target.objectName));
    }
    for (const ProfileLook& look : ProfileTargets::Looks()) {
        seen.lookButtons.push_back(app.Find<QAbstractButton>(look.buttonName)->isChecked());
    }
    seen.background = app.Find<QAbstractButton>("textBackgroundToggle")->isChecked();
    seen.textSize = app.Find<QSlider>("textSizeSlider")->value();
    return seen;
}

void ExpectSame(const Seen& a, const Seen& b) {
    const RenderRequest &x = a.request, &y = b.request;
    EXPECT_EQ(x.source.cacheKey(), y.source.cacheKey());
    const auto corners = [](const FloatRect& r) { return std::tuple(r.x, r.y, r.width, r.height); };
    EXPECT_EQ(corners(x.selection), corners(y.selection));
    EXPECT_EQ(x.looks, y.looks);
    EXPECT_EQ(x.colorize, y.colorize);
    EXPECT_EQ(x.text.text, y.text.text);
    EXPECT_EQ(x.text.left, y.text.left);
    EXPECT_EQ(a.previews, b.previews);
    EXPECT_EQ(a.lookButtons, b.lookButtons);
    EXPECT_EQ(a.background, b.background);
    EXPECT_EQ(a.textSize, b.textSize);
}

struct UndoCase {
    const char* name;
    Edit edit;
};

class Undo : public testing::TestWithParam<UndoCase> {};

// Each edit is one step: undo brings back exactly what was there, redo what it made.
TEST_P(Undo, EachEditIsOneStepBackAndForth) {
    AppHarness app;
    app.Open(TestPictures::Gradient(90, 60));
    app.Click("buttonSepia");
    SelectWithClicks(app, {40, 40}, {200, 180});
    QUndoStack* stack = app.Controller().UndoStack();
    const int steps = stack->count();
    const Seen before = Look(app);
    GetParam().edit(app);
    ASSERT_EQ(stack->count(), steps + 1);
    const Seen after = Look(app);
    stack->undo();
    ExpectSame(Look(app), before);
    stack->redo();
    ExpectSame(Look(app), after);
    stack->undo();
    EXPECT_EQ(stack->count(), steps + 1); // restoring records nothing
    app.Click("buttonSepia");             // the button and its flag still agree
    EXPECT_FALSE(app.Controller().options()[size_t(ProfileTargets::LookIndex("sepia"))]);
    EXPECT_FALSE(app.Find<QAbstractButton>("buttonSepia")->isChecked());
}

void PickColour(AppHarness& app) {
    auto* well = app.Find<ColorWell>("colorizeWell");
    well->setColor(Qt::blue);
    emit well->colorChanged(Qt::blue);
}

INSTANTIATE_TEST_SUITE_P(
    Studio, Undo,
    testing::Values(
        UndoCase{"Selection",
                 [](AppHarness& a) {
                     SelectWithClicks(a, {10, 10}, {90, 120});
                 }},
        UndoCase{"Reset", [](AppHarness& a) { a.Click("resetButton"); }},
        UndoCase{"Look", [](AppHarness& a) { a.Click("buttonBW"); }},
        UndoCase{"Colour", PickColour},
        UndoCase{"TypingIsOneStep", [](AppHarness& a) { a.Type(QStringLiteral("Hello")); }},
        UndoCase{"TextSize",
                 [](AppHarness& a) { a.Find<QSlider>("textSizeSlider")->setValue(222); }},
        UndoCase{"Background", [](AppHarness& a) { a.Click("textBackgroundToggle"); }},
        UndoCase{
            "Position",
            [](AppHarness& a) {
                QTest::mouseClick(a.Find<QWidget>("positionView"), Qt::LeftButton, {}, {9, 30});
            }},
        UndoCase{"OpenedPicture",
                 [](AppHarness& a) { a.Open(TestPictures::Solid(8, 8, Qt::red)); }},
        UndoCase{"PastedPicture",
                 [](AppHarness& a) {
                     QGuiApplication::clipboard()->setImage(TestPictures::Solid(8, 8, Qt::red));
                     QTest::keyClick(a.Window(), Qt::Key_V, Qt::ControlModifier);
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

// Real photographs, as Debian's opencv-doc installs them (scripts/install-deps.sh).
QString Photo(const char* name) {
    return QStringLiteral("/usr/share/doc/opencv-doc/examples/data/") + QLatin1String(name);
}

struct FaceCase {
    const char* name;
    const char* photo;
    const char* cascade; // nullptr: the system's
    bool found;
};

class FindFace : public testing::TestWithParam<FaceCase> {};

// Ctrl+F selects the square the face proposal gives, as one undo step; without a
// face, or without a cascade, the selection stays.
TEST_P(FindFace, SelectsTheSquareAroundTheFace) {
    const FaceCase& c = GetParam();
    if (c.cascade != nullptr) {
        qputenv("TRELLICA_FACE_CASCADE", c.cascade);
    }
    AppHarness app;
    qunsetenv("TRELLICA_FACE_CASCADE");
    app.Controller().filePanelDidEnd(Photo(c.photo), 1);
    const FloatRect before = app.Controller().Request().selection;
    QTest::keyClick(app.Window(), Qt::Key_F, Qt::ControlModifier);
    const FloatRect after = app.Controller().Request().selection;
    EXPECT_EQ(app.Find<QWidget>("findFaceButton")->isEnabled(), c.cascade == nullptr);
    EXPECT_EQ(app.Find<QWidget>("findFaceButton")->toolTip().contains("face data"),
              c.cascade != nullptr);
    if (!c.found) {
        EXPECT_EQ(std::tuple(before.x, before.width), std::tuple(after.x, after.width));
        EXPECT_TRUE(c.cascade || Status(app) == QStringLiteral("No face found"));
        return;
    }
    const QImage photo(Photo(c.photo));
    const FloatRect face = SelectionProposals::FaceSquare(photo, FaceFinder())->picture;
    for (const auto& [got, want] : {std::pair{after.x, face.x},
                                    {after.y, face.y},
                                    {after.width, face.width},
                                    {after.height, face.height}}) {
        EXPECT_NEAR(got, want, 0.01f);
    }
    EXPECT_FALSE(app.Preview("google96").isNull());
    app.Controller().UndoStack()->undo();
    EXPECT_EQ(app.Controller().Request().selection.width, before.width);
}

INSTANTIATE_TEST_SUITE_P(Studio, FindFace,
                         testing::Values(FaceCase{"Footballer", "messi5.jpg", nullptr, true},
                                         FaceCase{"NoFace", "building.jpg", nullptr, false},
                                         FaceCase{"NoCascade", "messi5.jpg", "no-such.xml", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FormatCase {
    const char* name;
    int row; // in the save sheet's type list
    const char* extension;
    const char* decoder;
};

class SaveFormat : public testing::TestWithParam<FormatCase> {};

// The type list starts at TIFF; the chosen type names and encodes every file.
TEST_P(SaveFormat, ChosenTypeNamesAndEncodesEveryFile) {
    const FormatCase& c = GetParam();
    AppHarness app;
    app.Open(TestPictures::Gradient(60, 40));
    app.Click("resetButton");
    app.Click("saveButton");
    auto* sheet = app.Window()->findChild<QFileDialog*>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->selectedNameFilter(), sheet->nameFilters().value(0));
    EXPECT_TRUE(sheet->nameFilters().value(0).startsWith("TIFF"));
    sheet->selectNameFilter(sheet->nameFilters().value(c.row));
    sheet->selectFile(app.Folder() + QStringLiteral("/me"));
    QMetaObject::invokeMethod(sheet, "accept");
    QStringList expected;
    for (const char* stem :
         {"me_facebook", "me_twitter", "me_linkedin", "me_google", "me_skype", "me"}) {
        const QString file =
            QStringLiteral("%1.%2").arg(QLatin1String(stem), QLatin1String(c.extension));
        expected << file;
        EXPECT_EQ(QImageReader(app.Folder() + '/' + file).format(), c.decoder)
            << file.toStdString();
    }
    const QStringList written = QDir(app.Folder()).entryList({QStringLiteral("me*")}, QDir::Files);
    EXPECT_EQ(written.size(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(Studio, SaveFormat,
                         testing::Values(FormatCase{"TIFF", 0, "tif", "tiff"},
                                         FormatCase{"PNG", 1, "png", "png"},
                                         FormatCase{"JPEG", 2, "jpg", "jpeg"},
                                         FormatCase{"WebP", 3, "webp", "webp"}),
                         [](const auto& info) { return std::string(info.param.name); });

class RoundPreviews : public testing::TestWithParam<bool> {};

// Round: the corners of the target's square show the window, its edges' middles
// the picture; the picture held stays square.
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
    EXPECT_TRUE(red(QPoint(square.left() + 1, square.center().y())));
    EXPECT_TRUE(red(QPoint(square.center().x(), square.bottom() - 1)));
    EXPECT_EQ(view->image(), held);
    EXPECT_EQ(held.size(), QSize(96, 96));
}

INSTANTIATE_TEST_SUITE_P(Studio, RoundPreviews, testing::Bool(),
                         [](const auto& info) { return info.param ? "Round" : "Square"; });

struct ClipboardCase {
    const char* name;
    std::function<void(QClipboard*)> fill;
    bool inField; // the keys go to the text field, which has the focus
    Qt::Key key;
    const char* status; // nullptr: as it was
    QSize source;       // the source picture's size afterwards
    const char* clipboardText;
};

class Clipboard : public testing::TestWithParam<ClipboardCase> {};

TEST_P(Clipboard, PastesAndCopiesPicturesButLeavesTheTextFieldItsOwn) {
    const ClipboardCase& c = GetParam();
    AppHarness app;
    app.Open(TestPictures::Gradient(90, 60));
    app.Type(QStringLiteral("Hi"));
    auto* field = app.Find<QLineEdit>("theTextField");
    field->selectAll();
    c.fill(QGuiApplication::clipboard());
    QWidget* target = c.inField ? static_cast<QWidget*>(field) : app.Window();
    target->setFocus();
    const std::string before = Status(app).toStdString();
    QTest::keyClick(target, c.key, Qt::ControlModifier);
    EXPECT_EQ(Status(app).toStdString(), c.status ? c.status : before);
    EXPECT_EQ(app.Controller().theImage().size(), c.source);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QLatin1String(c.clipboardText));
    const QImage copied = QGuiApplication::clipboard()->image();
    if (c.key == Qt::Key_C) {
        EXPECT_EQ(copied.size(), c.inField ? QSize(0, 0) : app.Controller().croppedImage().size());
    }
    EXPECT_EQ(field->text(), c.inField && c.key == Qt::Key_V ? "Ho" : "Hi");
}

const auto kPicture = [](QClipboard* b) { b->setImage(TestPictures::Solid(40, 30, Qt::blue)); };
const auto kText = [](QClipboard* b) { b->setText(QStringLiteral("Ho")); };
const auto kEmpty = [](QClipboard* b) { b->clear(); };
constexpr char kNoPicture[] = "The clipboard holds no picture to paste";

INSTANTIATE_TEST_SUITE_P(
    Studio, Clipboard,
    testing::Values(
        ClipboardCase{"PastePicture",
                      kPicture,
                      false,
                      Qt::Key_V,
                      "Pasted picture — 40 × 30 pixels",
                      {40, 30},
                      ""},
        ClipboardCase{"PasteEmpty", kEmpty, false, Qt::Key_V, kNoPicture, {90, 60}, ""},
        ClipboardCase{"PasteText", kText, false, Qt::Key_V, kNoPicture, {90, 60}, "Ho"},
        ClipboardCase{"PasteInTextField", kText, true, Qt::Key_V, nullptr, {90, 60}, "Ho"},
        ClipboardCase{"Copy",
                      kEmpty,
                      false,
                      Qt::Key_C,
                      "Copied the picture — 512 × 341 pixels",
                      {90, 60},
                      ""},
        ClipboardCase{"CopyInTextField", kEmpty, true, Qt::Key_C, nullptr, {90, 60}, "Hi"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
