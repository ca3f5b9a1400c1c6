#include "views/CropImageView.h"
#include "views/CropImageViewDelegate.h"

#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QCursor>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 300;

class RecordingDelegate : public CropImageViewDelegate {
public:
    void SetChangeFlag() override { calls << "SetChangeFlag"; }
    void FinishCropping() override { calls << "FinishCropping"; }
    void AcceptImageCropping() override { calls << "AcceptImageCropping"; }
    void CancelImageCropping() override { calls << "CancelImageCropping"; }
    QStringList calls;
};

const QStringList kOneGestureEnd = {"SetChangeFlag", "FinishCropping"};

// A 300 x 300 crop view on screen with its labels and a recording delegate,
// driven with real mouse events. Positions are given in view coordinates (y up).
class CropImageViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        QCursor::setPos(-1000, -1000); // so every move below is a real movement
        view.resize(kSide, kSide);
        view.SetSizeLabels(&width, &height);
        LogCapture quiet;
        view.SetParentDelegate(&delegate);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    void Load(const QImage& picture) {
        LogCapture quiet;
        view.SetTheImage(picture);
    }
    static QPoint At(float x, float y) { return QPoint(int(x), kSide - int(y)); }
    void ClickAt(float x, float y, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(&view, Qt::LeftButton, modifiers, At(x, y));
    }
    void MoveTo(float x, float y) { QTest::mouseMove(&view, At(x, y)); }
    QColor PixelAt(int x, int yDown) { return view.grab().toImage().pixelColor(x, yDown); }

    CropImageView view;
    QLabel width;
    QLabel height;
    RecordingDelegate delegate;
};

// --- pictures --------------------------------------------------------------

struct LoadCase {
    const char* name;
    int pictureWidth, pictureHeight;
    QRectF selection;
    const char* labelWidth;
    const char* labelHeight;
    QStringList log;
};

class CropImageViewLoad : public CropImageViewTest,
                          public ::testing::WithParamInterface<LoadCase> {};

TEST_P(CropImageViewLoad, FitsTheSelectionToThePicture) {
    const LoadCase& c = GetParam();
    LogCapture log;
    view.SetTheImage(TestPictures::Solid(c.pictureWidth, c.pictureHeight, Qt::gray));
    EXPECT_EQ(log.Lines(), c.log);
    EXPECT_EQ(view.GetSelection(), c.selection);
    EXPECT_EQ(width.text(), c.labelWidth);
    EXPECT_EQ(height.text(), c.labelHeight);
    EXPECT_EQ(view.CropCoords(1024.0f, 768.0f), QRectF(0, 0, 1024, 768));
    EXPECT_EQ(view.CropCoordsLeft(), 0.0f);
    EXPECT_EQ(view.CropCoordsTop(), 0.0f);
    EXPECT_EQ(view.CropCoordsRight(), 1.0f);
    EXPECT_EQ(view.CropCoordsBottom(), 1.0f);
    EXPECT_EQ(view.FittedRect(), c.selection); // centred: the same rectangle y-down
    EXPECT_TRUE(delegate.calls.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(CropImageView, CropImageViewLoad,
                         ::testing::Values(LoadCase{"Wide",
                                                    400,
                                                    300,
                                                    {0, 37.5, 300, 225},
                                                    "300",
                                                    "225",
                                                    {"Setting Cropping View Image:", "bla?",
                                                     "Image Size: 300.000000, 225.000000",
                                                     "Margins: 0.000000, 37.500000"}},
                                           LoadCase{"Tall",
                                                    300,
                                                    400,
                                                    {37.5, 0, 225, 300},
                                                    "225",
                                                    "300",
                                                    {"Setting Cropping View Image:", "bla?",
                                                     "Image Size: 225.000000, 300.000000",
                                                     "Margins: 37.500000, 0.000000"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CropImageViewTest, NoPictureOnlyLogsAndTakesTheFocus) {
    LogCapture log;
    view.SetTheImage(QImage());
    EXPECT_EQ(log.Lines(), QStringList({"Setting Cropping View Image:", "bla?"}));
    EXPECT_EQ(view.GetSelection(), QRectF(10, 10, 100, 100));
    EXPECT_TRUE(width.text().isEmpty());
    EXPECT_TRUE(view.image().isNull());
    EXPECT_TRUE(view.hasFocus());
    view.ResetSelection(); // nothing to fit to: nothing happens
    EXPECT_EQ(view.GetSelection(), QRectF(10, 10, 100, 100));
}

TEST_F(CropImageViewTest, DelegateMessagesAndTheirLogLines) {
    LogCapture log;
    CropImageView other;
    other.SetParentDelegate(&delegate);
    other.CropOk();
    other.CropDismiss();
    EXPECT_EQ(log.Lines(), QStringList({"Setting Parent Delegate", "Crop OK", "Crop Dismiss"}));
    EXPECT_EQ(delegate.calls, QStringList({"AcceptImageCropping", "CancelImageCropping"}));
}

// --- gestures with the real mouse ---------------------------------------------

TEST_F(CropImageViewTest, TwoClicksSpanASelection) {
    Load(TestPictures::Solid(400, 300, Qt::gray));
    ClickAt(220, 200);
    EXPECT_EQ(width.text(), "300"); // nothing changes until the pointer moves
    MoveTo(100, 100);
    EXPECT_EQ(view.GetSelection(), QRectF(100, 100, 120, 100));
    EXPECT_EQ(width.text(), "120");
    EXPECT_EQ(height.text(), "100");
    EXPECT_TRUE(delegate.calls.isEmpty());
    ClickAt(20, 60);
    EXPECT_EQ(view.GetSelection(), QRectF(20, 60, 200, 140));
    EXPECT_EQ(width.text(), "200");
    EXPECT_EQ(height.text(), "140");
    EXPECT_EQ(delegate.calls, kOneGestureEnd);
    EXPECT_FLOAT_EQ(view.CropCoordsLeft(), 20.0f / 300.0f);
    EXPECT_FLOAT_EQ(view.CropCoordsTop(), 22.5f / 225.0f);
    MoveTo(250, 250); // idle again: the pointer changes nothing
    EXPECT_EQ(view.GetSelection(), QRectF(20, 60, 200, 140));
    EXPECT_EQ(width.text(), "200");
}

TEST_F(CropImageViewTest, ShiftClickMovesTheSelection) {
    Load(TestPictures::Solid(400, 300, Qt::gray));
    ClickAt(100, 100, Qt::ShiftModifier);
    MoveTo(110, 90);
    EXPECT_EQ(view.GetSelection(), QRectF(10, 27.5, 300, 225));
    EXPECT_EQ(width.text(), "300");
    ClickAt(110, 90);
    EXPECT_EQ(delegate.calls, kOneGestureEnd);
    EXPECT_FLOAT_EQ(view.CropCoordsLeft(), 10.0f / 300.0f);
}

TEST_F(CropImageViewTest, ControlClickResizesAboutTheCentre) {
    Load(TestPictures::Solid(400, 300, Qt::gray));
    ClickAt(100, 100, Qt::ControlModifier);
    EXPECT_TRUE(delegate.calls.isEmpty());
    MoveTo(110, 104);
    EXPECT_EQ(view.GetSelection(), QRectF(-5, 35.5, 310, 229));
    EXPECT_EQ(width.text(), "310");
    EXPECT_EQ(height.text(), "229");
    ClickAt(110, 104, Qt::ShiftModifier); // any click ends scaling
    EXPECT_EQ(delegate.calls, kOneGestureEnd);
    // Far enough to the left the width turns negative.
    for (int i = 0; i < 2; ++i) {
        MoveTo(290, 104); // idle: changes nothing
        ClickAt(290, 104, Qt::ControlModifier);
        MoveTo(5, 104);
        ClickAt(5, 104);
    }
    EXPECT_EQ(width.text(), "-260");
    EXPECT_LT(view.CropCoordsRight(), view.CropCoordsLeft());
    EXPECT_EQ(delegate.calls.count("FinishCropping"), 3);
}

struct SequenceCase {
    const char* name;
    std::vector<Qt::KeyboardModifiers> clicks; // each at (150, 150), a move between
    int gestureEnds;
    bool shifting;
    bool scaling;
};

class CropImageViewSequence : public CropImageViewTest,
                              public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(CropImageViewSequence, ModifiersReachTheRows) {
    const SequenceCase& c = GetParam();
    Load(TestPictures::Solid(400, 300, Qt::gray));
    float x = 150.0f;
    for (const Qt::KeyboardModifiers modifiers : c.clicks) {
        ClickAt(x, 150.0f, modifiers);
        x += 5.0f;
        MoveTo(x, 150.0f);
    }
    EXPECT_EQ(delegate.calls.count("SetChangeFlag"), c.gestureEnds);
    EXPECT_EQ(delegate.calls.count("FinishCropping"), c.gestureEnds);
    EXPECT_EQ(view.Gesture().Shifting(), c.shifting);
    EXPECT_EQ(view.Gesture().Scaling(), c.scaling);
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kControl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    CropImageView, CropImageViewSequence,
    ::testing::Values(
        SequenceCase{"ControlClickWhileSelecting", {kNone, kControl}, 0, false, true},
        SequenceCase{"ThenAnyClickEnds", {kNone, kControl, kNone}, 1, false, false},
        SequenceCase{"ControlClickWhileShifting", {kShift, kControl}, 0, true, true},
        SequenceCase{"ShiftingSurvivesScaling", {kShift, kControl, kNone}, 1, true, false},
        SequenceCase{"AndEndsAgain", {kShift, kControl, kNone, kNone}, 2, false, false},
        SequenceCase{"ShiftClickWhileSelecting", {kNone, kShift}, 0, true, false},
        SequenceCase{"ControlWinsOverShift", {kShift | kControl}, 0, false, true},
        // Alt and Meta are not looked at: a plain click.
        SequenceCase{"AltIsAPlainClick", {Qt::AltModifier, Qt::AltModifier}, 1, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CropImageViewTest, DraggingFromIdleOnlySetsTheAnchorAtTheRelease) {
    Load(TestPictures::Solid(400, 300, Qt::gray));
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, At(50, 50));
    QTest::mouseMove(&view, At(200, 200));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, At(200, 200));
    EXPECT_EQ(view.GetSelection(), QRectF(0, 37.5, 300, 225));
    EXPECT_TRUE(delegate.calls.isEmpty());
    EXPECT_EQ(view.Gesture().ClickState(), 1);
    MoveTo(250, 220); // the selection now follows from the release point
    EXPECT_EQ(view.GetSelection(), QRectF(200, 200, 50, 20));
}

TEST_F(CropImageViewTest, OtherButtonsAreNoClick) {
    Load(TestPictures::Solid(400, 300, Qt::gray));
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, At(50, 50));
    EXPECT_EQ(view.Gesture().ClickState(), 0);
    MoveTo(100, 100);
    EXPECT_EQ(view.GetSelection(), QRectF(0, 37.5, 300, 225));
}

TEST_F(CropImageViewTest, ResetSelectionFitsAgainAndKeepsTheGuideColour) {
    Load(TestPictures::Solid(400, 300, Qt::gray));
    ClickAt(10, 50);
    MoveTo(110, 150);
    ClickAt(110, 150);
    ASSERT_TRUE(view.Gesture().SquareInWholePoints());
    LogCapture log;
    view.ResetSelection();
    EXPECT_EQ(log.Lines(),
              QStringList({"Image Size: 300.000000, 225.000000", "Margins: 0.000000, 37.500000"}));
    EXPECT_EQ(view.GetSelection(), QRectF(0, 37.5, 300, 225));
    EXPECT_EQ(width.text(), "300");
    EXPECT_EQ(view.CropCoordsRight(), 1.0f);
    EXPECT_TRUE(view.Gesture().SquareInWholePoints());
}

TEST_F(CropImageViewTest, ResizingKeepsTheSelectionOnThePicture) {
    Load(TestPictures::Solid(400, 300, Qt::gray));
    ClickAt(30, 60);
    MoveTo(180, 210);
    ClickAt(180, 210);
    const QRectF crop = view.CropCoords(4032.0f, 3024.0f);
    view.resize(600, 600);
    EXPECT_EQ(view.CropCoords(4032.0f, 3024.0f), crop);
    EXPECT_EQ(view.GetSelection(), QRectF(60, 120, 300, 300));
    EXPECT_EQ(width.text(), "300");
    EXPECT_EQ(view.FittedRect(), QRectF(0, 75, 600, 450));
}

// --- what is drawn ------------------------------------------------------------

TEST_F(CropImageViewTest, DrawsTheLightenedSelectionGuidesAndCornerLabels) {
    struct Case {
        float toX, toY; // the second corner; the first is (50, 50)
        QColor guide;
    };
    const Case cases[] = {{150, 150, QColor(0, 255, 0)}, {150, 140, QColor(255, 255, 255)}};
    for (const Case& c : cases) {
        Load(TestPictures::Solid(kSide, kSide, Qt::black));
        ClickAt(50, 50);
        MoveTo(c.toX, c.toY);
        ClickAt(c.toX, c.toY);
        const QImage shot = view.grab().toImage();
        ASSERT_EQ(shot.size(), QSize(kSide, kSide));
        const auto at = [&](int x, int y) { return shot.pixelColor(x, kSide - 1 - y); };
        EXPECT_EQ(at(100, 100), QColor(64, 64, 64)); // white at 0.25 over black
        EXPECT_EQ(at(20, 20), QColor(0, 0, 0));      // outside: not dimmed, not lightened
        // The guides run across the whole view along the selection's edges.
        EXPECT_EQ(at(50, 290), c.guide);
        EXPECT_EQ(at(int(c.toX), 5), c.guide);
        EXPECT_EQ(at(5, 50), c.guide);
        EXPECT_EQ(at(295, int(c.toY)), c.guide);
        // The top-left label sits just above the selection's top-left corner.
        int bright = 0;
        for (int y = int(c.toY) + 2; y < int(c.toY) + 16; ++y) {
            for (int x = 52; x < 110; ++x) {
                bright += at(x, y).lightness() > 128 ? 1 : 0;
            }
        }
        EXPECT_GT(bright, 20);
    }
}

TEST_F(CropImageViewTest, PictureIsDrawnWhereTheSelectionWasFitted) {
    Load(TestPictures::Solid(400, 300, Qt::red));
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.pixelColor(150, 150), QColor(255, 64, 64)); // the whole picture selected
    EXPECT_EQ(shot.pixelColor(150, 38), QColor(255, 64, 64));
    EXPECT_NE(shot.pixelColor(150, 20).green(), 64); // margin
}

} // namespace
