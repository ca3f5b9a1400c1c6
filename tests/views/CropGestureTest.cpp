#include "views/CropGesture.h"

#include "support/CaseName.h"
#include "support/LogCapture.h"

#include <QSize>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using ViewGeometry::ViewRect;

namespace {

// One pointer event. Kinds: 'c' click, 's' Shift-click, 'k' Control-click,
// 'b' Control-Shift-click, 'm' movement.
struct Ev {
    char kind;
    float x, y;
};

struct Played {
    CropGesture::Reaction last;
    int ended = 0;
};

Played Play(CropGesture& gesture, const std::vector<Ev>& events) {
    Played run;
    for (const Ev& e : events) {
        const bool shift = e.kind == 's' || e.kind == 'b';
        const bool control = e.kind == 'k' || e.kind == 'b';
        run.last = e.kind == 'm' ? gesture.Move(e.x, e.y) : gesture.Click(e.x, e.y, shift, control);
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

const ViewRect kWhole{0, 37.5f, 300, 225};

// The click table, first matching row wins. Events by kind (see Ev), the n-th at (10n, 10n).
struct RowCase {
    friend void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }
    const char* name;
    const char* events;
    int32_t clickState;
    bool shifting, scaling, mouseDown;
    int ended; // gestures finished
};

class CropGestureRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(CropGestureRows, FlagsAndNotifications) {
    const RowCase& c = GetParam();
    std::vector<Ev> events;
    for (const char* k = c.events; *k != '\0'; ++k)
        events.push_back({*k, 10.0f * (k - c.events + 1), 10.0f * (k - c.events + 1)});
    CropGesture gesture = Fitted();
    const Played run = Play(gesture, events);
    EXPECT_EQ(std::tuple(gesture.ClickState(), gesture.Shifting(), gesture.Scaling(),
                         gesture.IsMouseDown(), run.ended),
              std::tuple(c.clickState, c.shifting, c.scaling, c.mouseDown, c.ended));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(CropGesture, CropGestureRows, ::testing::Values(
    RowCase{"ClickClickEnds", "cc", 0, false, false, false, 1},
    RowCase{"ControlScales", "ck", 1, false, true, true, 0},
    RowCase{"ShiftShifts", "cs", 1, true, false, true, 0},
    RowCase{"ShiftControlThenTwoGestures", "skcmc", 0, false, false, false, 2},
    RowCase{"ControlShiftScalesOnly", "b", 0, false, true, false, 0}), CaseName());
// clang-format on

// The movement table.
struct MoveCase {
    friend void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }
    const char* name;
    std::vector<Ev> events;
    ViewRect selection;
    bool repaint;
};

class CropGestureMoves : public ::testing::TestWithParam<MoveCase> {};

TEST_P(CropGestureMoves, UpdatesTheSelection) {
    const MoveCase& c = GetParam();
    CropGesture gesture = Fitted();
    const Played run = Play(gesture, c.events);
    EXPECT_EQ(gesture.Selection(), c.selection);
    EXPECT_EQ(run.last.repaint, c.repaint);
    EXPECT_EQ(run.last.showSize, c.repaint);
    if (c.repaint) { // the labels show the size, unchanged by shifting
        EXPECT_EQ(QSize(run.last.sizeWidth, run.last.sizeHeight),
                  QSize(int32_t(c.selection.width), int32_t(c.selection.height)));
    }
}

// Scaling by (+10, +4) adds 10 and 4 and moves the origin by (-5, -2).
// clang-format off
INSTANTIATE_TEST_SUITE_P(CropGesture, CropGestureMoves, ::testing::Values(
    MoveCase{"ControlScalesAboutTheCentre", {{'k', 100, 100}, {'m', 110, 104}},
             {-5, 35.5f, 310, 229}, true},
    MoveCase{"ShiftMoves", {{'c', 100, 100}, {'s', 100, 100}, {'m', 110, 104}},
             {10, 41.5f, 300, 225}, true},
    MoveCase{"ClickMoveClickThenStill",
             {{'c', 10, 10}, {'m', 15, 15}, {'c', 20, 30}, {'m', 9, 9}}, {10, 10, 10, 20}, false}),
    CaseName());
// clang-format on

// (The real view's resize is in CropImageViewTest.)
TEST(CropGestureRefit, KeepsTheCropCoordinatesExactlyEvenThroughASqueezeToNothing) {
    CropGesture gesture = Fitted();
    Play(gesture, {{'c', 31, 50}, {'m', 177, 201}, {'c', 177, 201}});
    const QRectF before = gesture.CropCoords(4032.0f, 3024.0f);
    EXPECT_FALSE(gesture.Refit(300.0f, 300.0f).repaint);
    for (const float side : {600.0f, 0.0f, 300.0f}) { // a layout may squeeze the view a moment
        gesture.Refit(side, side);
        EXPECT_EQ(gesture.CropCoords(4032.0f, 3024.0f), before) << side;
    }
}

} // namespace
