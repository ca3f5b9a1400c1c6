#include "views/CropGesture.h"

#include "support/LogCapture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

using ViewGeometry::ViewRect;

namespace {

// One pointer event: a click with its modifiers, or a movement.
struct Event {
    bool click;
    float x;
    float y;
    bool shift = false;
    bool control = false;
};
Event Click(float x, float y) {
    return {true, x, y};
}
Event ShiftClick(float x, float y) {
    return {true, x, y, true, false};
}
Event ControlClick(float x, float y) {
    return {true, x, y, false, true};
}
Event ControlShiftClick(float x, float y) {
    return {true, x, y, true, true};
}
Event Move(float x, float y) {
    return {false, x, y};
}

struct Played {
    CropGesture::Reaction last;
    int ended = 0;
};

Played Play(CropGesture& gesture, const std::vector<Event>& events) {
    Played run;
    for (const Event& e : events) {
        run.last = e.click ? gesture.Click(e.x, e.y, e.shift, e.control) : gesture.Move(e.x, e.y);
        run.ended += run.last.ended ? 1 : 0;
    }
    return run;
}

// A 400 x 300 picture in a 300 x 300 view: fitted to 300 x 225 at margins 0, 37.5.
CropGesture Fitted() {
    LogCapture quiet;
    CropGesture gesture(300.0f, 300.0f);
    gesture.Fit(400.0f, 300.0f, 300.0f, 300.0f);
    return gesture;
}

} // namespace

namespace ViewGeometry {
void PrintTo(const ViewRect& r, std::ostream* os) {
    *os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}
} // namespace ViewGeometry

namespace {

void ExpectRect(const ViewRect& actual, const ViewRect& expected) {
    EXPECT_FLOAT_EQ(actual.x, expected.x);
    EXPECT_FLOAT_EQ(actual.y, expected.y);
    EXPECT_FLOAT_EQ(actual.width, expected.width);
    EXPECT_FLOAT_EQ(actual.height, expected.height);
}

// --- fitting -------------------------------------------------------------

struct FitCase {
    const char* name;
    float pictureWidth, pictureHeight, viewWidth, viewHeight;
    ViewRect fitted; // leftMargin, topMargin, width, height
    int32_t labelWidth, labelHeight;
    const char* sizeLine;
    const char* marginLine;
};

class CropGestureFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(CropGestureFit, FitsTheWholePictureAndSelectsIt) {
    const FitCase& c = GetParam();
    CropGesture gesture(c.viewWidth, c.viewHeight);
    LogCapture log;
    const CropGesture::Reaction r =
        gesture.Fit(c.pictureWidth, c.pictureHeight, c.viewWidth, c.viewHeight);
    EXPECT_EQ(gesture.FittedRect(), c.fitted);
    EXPECT_EQ(gesture.Selection(), c.fitted);
    EXPECT_EQ(log.Lines().join('|').toStdString(), std::string(c.sizeLine) + "|" + c.marginLine);
    EXPECT_TRUE(r.showSize);
    EXPECT_EQ(r.sizeWidth, c.labelWidth);
    EXPECT_EQ(r.sizeHeight, c.labelHeight);
    EXPECT_EQ(gesture.CropCoordsLeft(), 0.0f);
    EXPECT_EQ(gesture.CropCoordsTop(), 0.0f);
    EXPECT_EQ(gesture.CropCoordsRight(), 1.0f);
    EXPECT_EQ(gesture.CropCoordsBottom(), 1.0f);
}

INSTANTIATE_TEST_SUITE_P(
    CropGesture, CropGestureFit,
    ::testing::Values(FitCase{"Wide",
                              400,
                              300,
                              300,
                              300,
                              {0.0f, 37.5f, 300.0f, 225.0f},
                              300,
                              225,
                              "Image Size: 300.000000, 225.000000",
                              "Margins: 0.000000, 37.500000"},
                      FitCase{"Tall",
                              300,
                              400,
                              300,
                              300,
                              {37.5f, 0.0f, 225.0f, 300.0f},
                              225,
                              300,
                              "Image Size: 225.000000, 300.000000",
                              "Margins: 37.500000, 0.000000"},
                      // A square picture takes the width branch.
                      FitCase{"SquareInTallView",
                              500,
                              500,
                              200,
                              300,
                              {0.0f, 50.0f, 200.0f, 200.0f},
                              200,
                              200,
                              "Image Size: 200.000000, 200.000000",
                              "Margins: 0.000000, 50.000000"},
                      // Only the picture's aspect decides: a nearly square picture in a wide
                      // view fills its width and reaches beyond its top and bottom.
                      FitCase{"AspectDecidesNotTheView",
                              400,
                              320,
                              400,
                              300,
                              {0.0f, -10.0f, 400.0f, 320.0f},
                              400,
                              320,
                              "Image Size: 400.000000, 320.000000",
                              "Margins: 0.000000, -10.000000"},
                      FitCase{"OddSize",
                              333,
                              100,
                              301,
                              301,
                              {0.0f, (301.0f - 301.0f / (333.0f / 100.0f)) * 0.5f, 301.0f,
                               301.0f / (333.0f / 100.0f)},
                              301,
                              90,
                              "Image Size: 301.000000, 90.390396",
                              "Margins: 0.000000, 105.304802"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CropGestureFitState, FittingLeavesTheGestureAndTheGuideColour) {
    LogCapture quiet;
    CropGesture gesture = Fitted();
    Play(gesture, {ShiftClick(10, 10), Click(20, 20), Move(130.7f, 130.2f)});
    Play(gesture, {ControlClick(5, 5)});
    const int32_t width = gesture.CurrentWidth();
    gesture.Fit(300.0f, 400.0f, 300.0f, 300.0f);
    EXPECT_TRUE(gesture.Scaling());
    EXPECT_EQ(gesture.CurrentWidth(), width);
    EXPECT_EQ(gesture.Anchor().x, 5.0f);
}

TEST(CropGestureFitState, ConstructionStartsIdleWithWhiteGuides) {
    const CropGesture gesture(300.0f, 200.0f);
    EXPECT_EQ(gesture.Selection(), (ViewRect{10.0f, 10.0f, 100.0f, 100.0f}));
    EXPECT_EQ(gesture.ImageRect(), QRectF(0, 0, 300, 200));
    EXPECT_EQ(gesture.ClickState(), 0);
    EXPECT_FALSE(gesture.Shifting() || gesture.Scaling() || gesture.IsMouseDown());
    EXPECT_EQ(gesture.CurrentWidth(), -2);
    EXPECT_EQ(gesture.CurrentHeight(), 2);
    EXPECT_FALSE(gesture.SquareInWholePoints());
    EXPECT_EQ(gesture.CropCoords(1024.0f, 768.0f), QRectF());
}

// --- the click table: the first matching row decides -----------------------

struct RowCase {
    const char* name;
    std::vector<Event> events;
    int32_t clickState;
    bool shifting;
    bool scaling;
    bool mouseDown;
    int ended; // delegate notifications
};

class CropGestureRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(CropGestureRows, FlagsAndNotifications) {
    const RowCase& c = GetParam();
    CropGesture gesture = Fitted();
    const Played run = Play(gesture, c.events);
    EXPECT_EQ(gesture.ClickState(), c.clickState);
    EXPECT_EQ(gesture.Shifting(), c.shifting);
    EXPECT_EQ(gesture.Scaling(), c.scaling);
    EXPECT_EQ(gesture.IsMouseDown(), c.mouseDown);
    EXPECT_EQ(run.ended, c.ended);
}

INSTANTIATE_TEST_SUITE_P(
    CropGesture, CropGestureRows,
    ::testing::Values(
        RowCase{"ClickInIdleSelects", {Click(10, 10)}, 1, false, false, true, 0},
        RowCase{"SecondClickEnds", {Click(10, 10), Click(50, 60)}, 0, false, false, false, 1},
        RowCase{"ControlClickWhileSelectingScales",
                {Click(10, 10), ControlClick(50, 50)},
                1,
                false,
                true,
                true,
                0},
        RowCase{"ClickEndsScalingAndSelecting",
                {Click(10, 10), ControlClick(50, 50), Click(60, 60)},
                0,
                false,
                false,
                false,
                1},
        RowCase{"ShiftClickEndsScaling",
                {Click(10, 10), ControlClick(50, 50), ShiftClick(60, 60)},
                0,
                false,
                false,
                false,
                1},
        RowCase{"ControlClickEndsScaling",
                {ControlClick(50, 50), ControlClick(60, 60)},
                0,
                false,
                false,
                false,
                1},
        RowCase{"ControlClickWhileShiftingScales",
                {ShiftClick(10, 10), ControlClick(50, 50)},
                0,
                true,
                true,
                false,
                0},
        RowCase{"EndingScalingKeepsShifting",
                {ShiftClick(10, 10), ControlClick(50, 50), Click(60, 60)},
                0,
                true,
                false,
                false,
                1},
        RowCase{
            "ShiftingThenEndsAgain",
            {ShiftClick(10, 10), ControlClick(50, 50), Click(60, 60), Move(70, 70), Click(70, 70)},
            0,
            false,
            false,
            false,
            2},
        RowCase{"ShiftClickWhileSelectingShifts",
                {Click(10, 10), ShiftClick(50, 50)},
                1,
                true,
                false,
                true,
                0},
        RowCase{"ClickEndsShiftingAndSelecting",
                {Click(10, 10), ShiftClick(50, 50), Move(60, 60), Click(60, 60)},
                0,
                false,
                false,
                false,
                1},
        RowCase{"ShiftClickEndsShifting",
                {ShiftClick(10, 10), ShiftClick(20, 20)},
                0,
                false,
                false,
                false,
                1},
        RowCase{"ControlWinsOverShift", {ControlShiftClick(10, 10)}, 0, false, true, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// --- the movement table ---------------------------------------------------

struct MoveCase {
    const char* name;
    std::vector<Event> events;
    ViewRect selection;
    bool repaint;
};

class CropGestureMoves : public ::testing::TestWithParam<MoveCase> {};

TEST_P(CropGestureMoves, UpdatesTheSelection) {
    const MoveCase& c = GetParam();
    CropGesture gesture = Fitted();
    const Played run = Play(gesture, c.events);
    ExpectRect(gesture.Selection(), c.selection);
    EXPECT_EQ(run.last.repaint, c.repaint);
    EXPECT_EQ(run.last.showSize, c.repaint);
}

INSTANTIATE_TEST_SUITE_P(
    CropGesture, CropGestureMoves,
    ::testing::Values(MoveCase{"IdleDoesNothing", {Move(110, 104)}, {0, 37.5f, 300, 225}, false},
                      MoveCase{"SelectingSpansFromTheAnchor",
                               {Click(100, 100), Move(110, 104)},
                               {100, 100, 10, 4},
                               true},
                      MoveCase{"SelectingSpansBackwards",
                               {Click(100, 100), Move(40, 30)},
                               {40, 30, 60, 70},
                               true},
                      // Scaling by (+10, +4) adds 10 and 4 and moves the origin by (-5, -2).
                      MoveCase{"ScalingAboutTheCentre",
                               {ControlClick(100, 100), Move(110, 104)},
                               {-5, 35.5f, 310, 229},
                               true},
                      MoveCase{"ScalingTwiceFromTheNewAnchor",
                               {ControlClick(100, 100), Move(110, 104), Move(100, 100)},
                               {0, 37.5f, 300, 225},
                               true},
                      MoveCase{"ScalingWinsOverShifting",
                               {ShiftClick(100, 100), ControlClick(100, 100), Move(110, 104)},
                               {-5, 35.5f, 310, 229},
                               true},
                      MoveCase{"ShiftingWinsOverSelecting",
                               {Click(100, 100), ShiftClick(100, 100), Move(110, 104)},
                               {10, 41.5f, 300, 225},
                               true},
                      // Shifting can take the selection out of the view.
                      MoveCase{"ShiftingLeavesTheView",
                               {ShiftClick(0, 0), Move(500, -400)},
                               {500, -362.5f, 300, 225},
                               true},
                      MoveCase{"AfterTheGestureNothing",
                               {Click(10, 10), Click(20, 30), Move(200, 200)},
                               {10, 10, 10, 20},
                               false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- two-click selections ----------------------------------------------------

TEST(CropGestureTwoClicks, SpannedEitherWayGivesTheSameSelection) {
    struct Case {
        float ax, ay, px, py;
    };
    const Case cases[] = {
        {20, 200, 220, 60}, {220, 60, 20, 200}, {20, 60, 220, 200}, {220, 200, 20, 60}};
    for (const Case& c : cases) {
        CropGesture gesture = Fitted();
        const Played run = Play(gesture, {Click(c.ax, c.ay), Move(c.px, c.py), Click(c.px, c.py)});
        ExpectRect(gesture.Selection(), {20, 60, 200, 140});
        EXPECT_EQ(run.ended, 1);
        EXPECT_EQ(run.last.sizeWidth, 200);
        EXPECT_EQ(run.last.sizeHeight, 140);
        EXPECT_FLOAT_EQ(gesture.CropCoordsLeft(), 20.0f / 300.0f);
        EXPECT_FLOAT_EQ(gesture.CropCoordsRight(), 220.0f / 300.0f);
        EXPECT_FLOAT_EQ(gesture.CropCoordsTop(), (60.0f - 37.5f) / 225.0f);
        EXPECT_FLOAT_EQ(gesture.CropCoordsBottom(), (200.0f - 37.5f) / 225.0f);
    }
}

TEST(CropGestureTwoClicks, SecondClickOnTheAnchorGivesAnEmptySelection) {
    CropGesture gesture = Fitted();
    const Played run = Play(gesture, {Click(120, 90), Click(120, 90)});
    EXPECT_EQ(gesture.Selection(), (ViewRect{120, 90, 0, 0}));
    EXPECT_EQ(gesture.CropCoordsLeft(), gesture.CropCoordsRight());
    EXPECT_EQ(gesture.CropCoordsTop(), gesture.CropCoordsBottom());
    EXPECT_EQ(run.ended, 1);
    EXPECT_TRUE(run.last.repaint);
    EXPECT_EQ(run.last.sizeWidth, 0);
}

TEST(CropGestureTwoClicks, FirstClickChangesNothingUntilThePointerMoves) {
    CropGesture gesture = Fitted();
    const Played run = Play(gesture, {Click(120, 90)});
    EXPECT_FALSE(run.last.repaint || run.last.showSize || run.last.ended);
    EXPECT_EQ(gesture.Selection(), (ViewRect{0, 37.5f, 300, 225}));
    EXPECT_EQ(gesture.Anchor().x, 120.0f);
    EXPECT_EQ(gesture.Anchor().y, 90.0f);
}

TEST(CropGestureTwoClicks, SelectionFromTheLeftMarginGivesANegativeLeft) {
    LogCapture quiet;
    CropGesture gesture(300.0f, 300.0f);
    gesture.Fit(300.0f, 400.0f, 300.0f, 300.0f); // margins 37.5 and 0
    Play(gesture, {Click(20, 100), Move(200, 200), Click(200, 200)});
    EXPECT_LT(gesture.CropCoordsLeft(), 0.0f);
    EXPECT_FLOAT_EQ(gesture.CropCoordsLeft(), (20.0f - 37.5f) / 225.0f);
}

TEST(CropGestureTwoClicks, ClickKeepsTheSizeOfTheLastMovementForTheGuides) {
    CropGesture gesture = Fitted();
    Play(gesture, {Click(10, 10), Move(110, 110), Click(150, 120)});
    EXPECT_EQ(gesture.CurrentWidth(), 100);
    EXPECT_EQ(gesture.CurrentHeight(), 100);
    EXPECT_EQ(gesture.Selection().width, 140.0f);
}

// --- guide colour -------------------------------------------------------------

TEST(CropGestureGuides, GreenOnlyWhenSquareInWholePoints) {
    LogCapture quiet;
    struct Case {
        float x, y; // pointer, the anchor is (10, 10)
        bool green;
    };
    const Case cases[] = {{130.7f, 130.2f, true},  // 120.7 x 120.2: both truncate to 120
                          {130.7f, 131.0f, false}, // 120.7 x 121.0
                          {110.0f, 110.0f, true},
                          {10.0f, 10.0f, true}, // 0 x 0
                          {110.0f, 10.5f, false}};
    for (const Case& c : cases) {
        CropGesture gesture = Fitted();
        EXPECT_FALSE(gesture.SquareInWholePoints()); // -2 against 2 before any movement
        Play(gesture, {Click(10, 10), Move(c.x, c.y)});
        EXPECT_EQ(gesture.SquareInWholePoints(), c.green) << c.x << ", " << c.y;
        gesture.Fit(400.0f, 300.0f, 300.0f, 300.0f); // neither fitting...
        EXPECT_EQ(gesture.SquareInWholePoints(), c.green);
        Play(gesture, {Click(c.x, c.y)}); // ...nor the closing click changes it
        EXPECT_EQ(gesture.SquareInWholePoints(), c.green);
    }
}

// --- scaling and shifting -----------------------------------------------------

TEST(CropGestureScaling, FarToTheLeftGivesANegativeWidth) {
    CropGesture gesture = Fitted();
    const Played run = Play(gesture, {ControlClick(200, 100), Move(-200, 100)});
    EXPECT_FLOAT_EQ(gesture.Selection().width, -100.0f);
    EXPECT_EQ(run.last.sizeWidth, -100);
    EXPECT_LT(gesture.CropCoordsRight(), gesture.CropCoordsLeft());
    const Played end = Play(gesture, {Click(0, 0)});
    EXPECT_EQ(end.ended, 1);
    EXPECT_FLOAT_EQ(gesture.Selection().width, -100.0f); // the end click changes nothing
}

TEST(CropGestureShifting, MovesWithoutChangingTheSize) {
    CropGesture gesture = Fitted();
    const Played run = Play(gesture, {ShiftClick(50, 50), Move(53, 40), Move(60, 45)});
    ExpectRect(gesture.Selection(), {10, 32.5f, 300, 225});
    EXPECT_EQ(run.last.sizeWidth, 300); // the labels keep what fitting showed
    EXPECT_EQ(run.last.sizeHeight, 225);
    EXPECT_EQ(gesture.Anchor().x, 60.0f);
    EXPECT_FLOAT_EQ(gesture.CropCoordsLeft(), 10.0f / 300.0f);
    EXPECT_FLOAT_EQ(gesture.CropCoordsBottom(), 1.0f - 5.0f / 225.0f);
}

// --- crop coordinates in picture units -----------------------------------------

TEST(CropGestureCropCoords, WholePictureAndDifferencesOfProducts) {
    CropGesture whole = Fitted();
    EXPECT_EQ(whole.CropCoords(1024.0f, 768.0f), QRectF(0, 0, 1024, 768));

    // From x = 1 to x = 16 of a 300-point fit: 1000 * (16/300) - 1000 * (1/300)
    // is 50.0000038 in float, not the 50 of 1000 * (16/300 - 1/300).
    CropGesture part = Fitted();
    Play(part, {Click(1, 37.5f), Move(16, 262.5f), Click(16, 262.5f)});
    const float left = 1000.0f * (1.0f / 300.0f);
    const float width = 1000.0f * (16.0f / 300.0f) - left;
    ASSERT_NE(width, 50.0f);
    const QRectF r = part.CropCoords(1000.0f, 750.0f);
    EXPECT_EQ(static_cast<float>(r.x()), left);
    EXPECT_EQ(static_cast<float>(r.width()), width);
    EXPECT_EQ(r.y(), 0.0);
    EXPECT_EQ(r.height(), 750.0);
}

// --- the view changes size ----------------------------------------------------

TEST(CropGestureRefit, KeepsTheCropCoordinatesExactly) {
    CropGesture gesture = Fitted();
    Play(gesture, {Click(31, 50), Move(177, 201), Click(177, 201)});
    const QRectF before = gesture.CropCoords(4032.0f, 3024.0f);
    const CropGesture::Reaction same = gesture.Refit(300.0f, 300.0f);
    EXPECT_FALSE(same.repaint);
    EXPECT_EQ(gesture.Selection(), (ViewRect{31, 50, 146, 151}));
    const CropGesture::Reaction r = gesture.Refit(600.0f, 600.0f);
    EXPECT_EQ(gesture.FittedRect(), (ViewRect{0, 75, 600, 450}));
    EXPECT_EQ(gesture.CropCoords(4032.0f, 3024.0f), before);
    ExpectRect(gesture.Selection(), {62, 100, 292, 302});
    EXPECT_TRUE(r.repaint && r.showSize);
    gesture.Refit(0.0f, 0.0f); // a layout may squeeze the view to nothing for a moment
    gesture.Refit(300.0f, 300.0f);
    EXPECT_EQ(gesture.CropCoords(4032.0f, 3024.0f), before);
}

TEST(CropGestureRefit, DoesNothingBeforeAPictureIsFitted) {
    CropGesture gesture(300.0f, 300.0f);
    const CropGesture::Reaction r = gesture.Refit(500.0f, 500.0f);
    EXPECT_FALSE(r.repaint || r.showSize);
    EXPECT_EQ(gesture.Selection(), (ViewRect{10, 10, 100, 100}));
}

// --- values no pointer gives: no crash, no undefined conversion --------------------

TEST(CropGestureRobustness, ExtremeValuesSaturate) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const float values[] = {kNaN, kInf, -kInf, 3e38f, -3e38f, 3e9f, -3e9f, 0.0f};
    LogCapture quiet;
    for (const float v : values) {
        CropGesture gesture(v, v);
        gesture.Fit(v, 300.0f, v, v);
        gesture.Fit(300.0f, v, 300.0f, 300.0f);
        const Played run = Play(gesture, {Click(v, 0), Move(0, v), ControlClick(v, v), Move(-v, v),
                                          ShiftClick(v, -v), Move(v, v), Click(v, v), Click(0, 0),
                                          Move(v, -v), Click(-v, v)});
        gesture.Refit(v, 1.0f);
        gesture.CropCoords(v, v);
        EXPECT_EQ(run.ended, 2);
    }
    CropGesture gesture = Fitted();
    const Played run = Play(gesture, {Click(-3e38f, -3e38f), Move(3e38f, 3e38f)});
    EXPECT_EQ(run.last.sizeWidth, INT32_MAX); // the width itself is infinite
    EXPECT_EQ(gesture.CurrentHeight(), INT32_MAX);
}

} // namespace
