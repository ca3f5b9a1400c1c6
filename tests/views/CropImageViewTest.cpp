#include "views/CropImageView.h"

#include "support/CaseName.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QCursor>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

namespace {

using ViewGeometry::ViewRect;

constexpr int kSide = 300;

// A 300 x 300 crop view on screen with its labels, recording its signals, showing a
// 400 x 300 picture, driven with real mouse events at view coordinates (y up).
class CropImageViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        QCursor::setPos(-1000, -1000); // so every move below is a real movement
        view.resize(kSide, kSide);
        view.SetSizeLabels(&width, &height);
        QObject::connect(&view, &CropImageView::SelectionFinished, [this] { calls << "finished"; });
        QObject::connect(&view, &CropImageView::SelectionKeyed, [this] { calls << "keyed"; });
        QObject::connect(&view, &CropImageView::CroppingAccepted, [this] { calls << "accepted"; });
        QObject::connect(&view, &CropImageView::CroppingCancelled,
                         [this] { calls << "cancelled"; });
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.SetTheImage(TestPictures::Solid(400, 300, Qt::black));
    }
    static QPoint At(float x, float y) { return QPoint(int(x), kSide - int(y)); }
    void ClickAt(float x, float y) { QTest::mouseClick(&view, Qt::LeftButton, {}, At(x, y)); }
    void MoveTo(float x, float y) { QTest::mouseMove(&view, At(x, y)); }
    QString Labels() const { return width.text() + " x " + height.text(); }

    CropImageView view;
    QLabel width;
    QLabel height;
    QStringList calls; // the view's signals
};

// (The landscape fit is the gesture machine's; a portrait one shows the labels and log.)
TEST_F(CropImageViewTest, FitsTheSelectionToThePicture) {
    LogCapture log;
    view.SetTheImage(TestPictures::Solid(300, 400, Qt::gray));
    EXPECT_EQ((QStringList(Labels()) + log.Lines()).join('|'),
              "225 x 300|Setting Cropping View Image:|bla?|"
              "Image Size: 225.000000, 300.000000|Margins: 37.500000, 0.000000");
    EXPECT_EQ(view.GetSelection(), QRectF(37.5, 0, 225, 300));
    EXPECT_EQ(view.FittedRect(), view.GetSelection()); // centred: the same y-down
}

TEST_F(CropImageViewTest, SignalsAndTheirLogLines) {
    ClickAt(220, 200);
    MoveTo(100, 100);
    ClickAt(20, 60);
    EXPECT_EQ(view.GetSelection(), QRectF(20, 60, 200, 140));
    EXPECT_EQ(Labels(), "200 x 140");
    LogCapture log;
    view.CropOk();
    view.CropDismiss();
    EXPECT_EQ(log.Lines(), QStringList({"Crop OK", "Crop Dismiss"}));
    EXPECT_EQ(calls, QStringList({"finished", "accepted", "cancelled"}));
}

TEST_F(CropImageViewTest, OnlyTheReleaseOfTheLeftButtonIsAClick) {
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, At(20, 20));
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, At(50, 50));
    QTest::mouseMove(&view, At(200, 200));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, At(200, 200));
    EXPECT_EQ(view.GetSelection(), QRectF(0, 37.5, 300, 225)); // dragging moved nothing
    EXPECT_TRUE(calls.isEmpty());
    MoveTo(250, 220); // the selection now follows from the release point
    EXPECT_EQ(view.GetSelection(), QRectF(200, 200, 50, 20));
}

TEST_F(CropImageViewTest, DrawsTheLightenedSelectionAndItsGuides) {
    view.SetTheImage(TestPictures::Solid(kSide, kSide, Qt::black));
    // The second corner; the first is (50, 50). A square selection's guides are green.
    for (const auto& [toX, toY, guide] :
         {std::tuple{150, 150, QColor(0, 255, 0)}, {150, 140, QColor(255, 255, 255)}}) {
        ClickAt(50, 50);
        MoveTo(toX, toY);
        ClickAt(toX, toY);
        const QImage shot = view.grab().toImage();
        const auto at = [&](int x, int y) { return shot.pixelColor(x, kSide - 1 - y); };
        EXPECT_EQ(at(100, 100), QColor(64, 64, 64)); // white at 0.25 over black
        EXPECT_EQ(at(20, 20), QColor(0, 0, 0));      // outside: not dimmed, not lightened
        // The guides run across the whole view along the selection's edges.
        for (const QPoint p : {QPoint(50, 290), QPoint(toX, 5), QPoint(5, 50), QPoint(295, toY)})
            EXPECT_EQ(at(p.x(), p.y()), guide);
    }
}

// The keys, each pressed `presses` times on the selection (100, 100, 100, 100) of the
// fitted 300 x 225 picture at (0, 37.5); optionally after the first click of a gesture.
struct KeyCase {
    friend void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int presses;
    bool pointerGestureRunning;
    ViewRect selection;
    int keyed; // SelectionKeyed signals
};

class CropImageViewKeys : public CropImageViewTest,
                          public ::testing::WithParamInterface<KeyCase> {};

TEST_P(CropImageViewKeys, EachPressIsAGesture) {
    const KeyCase& c = GetParam();
    ClickAt(100, 100);
    MoveTo(200, 200);
    ClickAt(200, 200);
    if (c.pointerGestureRunning) {
        ClickAt(50, 50);
    }
    calls.clear();
    for (int i = 0; i < c.presses; ++i) {
        QTest::keyClick(&view, c.key, c.modifiers);
    }
    EXPECT_EQ(view.Gesture().Selection(), c.selection);
    EXPECT_EQ(calls, QStringList(c.keyed, QStringLiteral("keyed")));
    EXPECT_EQ(Labels(), QString::number(int(c.selection.width)) + " x " +
                            QString::number(int(c.selection.height)));
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier, kShift = Qt::ShiftModifier,
                                kControl = Qt::ControlModifier, kBoth = kShift | kControl;

// clang-format off
INSTANTIATE_TEST_SUITE_P(CropImageView, CropImageViewKeys, ::testing::Values(
    KeyCase{"RightMovesOnePoint", Qt::Key_Right, kNone, 1, false, {101, 100, 100, 100}, 1},
    KeyCase{"ShiftLeftMovesTen", Qt::Key_Left, kShift, 1, false, {90, 100, 100, 100}, 1},
    KeyCase{"UpMovesUp", Qt::Key_Up, kNone, 2, false, {100, 102, 100, 100}, 2},
    KeyCase{"StopsAtThePicturesEdge", Qt::Key_Down, kShift, 8, false, {100, 37.5f, 100, 100}, 8},
    KeyCase{"ControlRightWidens", Qt::Key_Right, kControl, 1, false, {99.5f, 100, 101, 100}, 1},
    KeyCase{"ControlShiftUpHeightens", Qt::Key_Up, kBoth, 1, false, {100, 95, 100, 110}, 1},
    KeyCase{"ControlShiftLeftNarrows", Qt::Key_Left, kBoth, 1, false, {105, 100, 90, 100}, 1},
    KeyCase{"ShrinksToOnePoint", Qt::Key_Down, kBoth, 12, false, {100, 149.5f, 100, 1}, 12},
    KeyCase{"GrowsToThePicturesWidth", Qt::Key_Right, kBoth, 25, false, {0, 100, 300, 100}, 25},
    KeyCase{"IgnoredWhileClicking", Qt::Key_Right, kNone, 1, true, {100, 100, 100, 100}, 0},
    KeyCase{"OtherKeysPassOn", Qt::Key_A, kNone, 1, false, {100, 100, 100, 100}, 0}), CaseName());
// clang-format on

TEST_F(CropImageViewTest, TakesTheFocusAndOutlinesIt) {
    EXPECT_EQ(view.focusPolicy(), Qt::StrongFocus);
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    view.setFocus();
    const QColor highlight = view.palette().color(QPalette::Highlight);
    EXPECT_EQ(view.grab().toImage().pixelColor(0, kSide / 2), highlight);
    view.clearFocus();
    EXPECT_NE(view.grab().toImage().pixelColor(0, kSide / 2), highlight);
}

} // namespace
