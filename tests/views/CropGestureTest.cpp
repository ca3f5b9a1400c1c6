#include "views/CropGesture.h"

#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

using ViewGeometry::ViewRect;

namespace ViewGeometry {
void PrintTo(const ViewRect& r, std::ostream* os) {
    *os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}
} // namespace ViewGeometry

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
CropGesture Fitted(float pictureWidth = 400.0f, float pictureHeight = 300.0f) {
    LogCapture quiet;
    CropGesture gesture(300.0f, 300.0f);
    gesture.Fit(pictureWidth, pictureHeight, 300.0f, 300.0f);
    return gesture;
}

const ViewRect kWhole{0, 37.5f, 300, 225};

// The click table, first matching row wins. Events by kind (see Ev), the n-th at (10n, 10n).
struct RowCase {
    const char* events;
    int32_t clickState;
    bool shifting, scaling, mouseDown;
    int ended; // gestures finished
    friend void PrintTo(const RowCase& c, std::ostream* os) { *os << c.events; }
};

class CropGestureRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(CropGestureRows, FlagsAndNotifications) {
    const RowCase& c = GetParam();
    std::vector<Ev> events;
    for (const char* k = c.events; *k != '\0'; ++k) {
        const float at = 10.0f * static_cast<float>(events.size() + 1);
        events.push_back({*k, at, at});
    }
    CropGesture gesture = Fitted();
    const Played run = Play(gesture, events);
    EXPECT_EQ(gesture.ClickState(), c.clickState);
    EXPECT_EQ(gesture.Shifting(), c.shifting);
    EXPECT_EQ(gesture.Scaling(), c.scaling);
    EXPECT_EQ(gesture.IsMouseDown(), c.mouseDown);
    EXPECT_EQ(run.ended, c.ended);
}

INSTANTIATE_TEST_SUITE_P(CropGesture, CropGestureRows,
                         ::testing::Values(RowCase{"c", 1, false, false, true, 0},
                                           RowCase{"cc", 0, false, false, false, 1},
                                           RowCase{"ck", 1, false, true, true, 0},
                                           RowCase{"cks", 0, false, false, false, 1},
                                           RowCase{"kk", 0, false, false, false, 1},
                                           RowCase{"sk", 0, true, true, false, 0},
                                           RowCase{"skcmc", 0, false, false, false, 2},
                                           RowCase{"cs", 1, true, false, true, 0},
                                           RowCase{"ss", 0, false, false, false, 1},
                                           RowCase{"b", 0, false, true, false, 0}),
                         [](const auto& info) { return std::string(info.param.events); });

// The movement table.
struct MoveCase {
    std::vector<Ev> events;
    ViewRect selection;
    bool repaint;
    friend void PrintTo(const MoveCase& c, std::ostream* os) {
        for (const Ev& e : c.events) {
            *os << e.kind << "(" << e.x << "," << e.y << ")";
        }
    }
};

class CropGestureMoves : public ::testing::TestWithParam<MoveCase> {};

TEST_P(CropGestureMoves, UpdatesTheSelection) {
    const MoveCase& c = GetParam();
    CropGesture gesture = Fitted();
    const Played run = Play(gesture, c.events);
    EXPECT_EQ(gesture.Selection(), c.selection);
    EXPECT_EQ(run.last.repaint, c.repaint);
    EXPECT_EQ(run.last.showSize, c.repaint);
    if (c.repaint) { // the labels show the size: unchanged by shifting, negative if need be
        EXPECT_EQ(run.last.sizeWidth, int32_t(c.selection.width));
        EXPECT_EQ(run.last.sizeHeight, int32_t(c.selection.height));
    }
}

INSTANTIATE_TEST_SUITE_P(
    CropGesture, CropGestureMoves,
    ::testing::Values(
        MoveCase{{{'m', 110, 104}}, kWhole, false}, // idle
        MoveCase{{{'c', 120, 90}}, kWhole, false},  // the first click alone
        MoveCase{{{'c', 100, 100}, {'m', 40, 30}}, {40, 30, 60, 70}, true},
        // Scaling by (+10, +4) adds 10 and 4 and moves the origin by (-5, -2).
        MoveCase{{{'k', 100, 100}, {'m', 110, 104}}, {-5, 35.5f, 310, 229}, true},
        MoveCase{{{'s', 100, 100}, {'k', 100, 100}, {'m', 110, 104}}, {-5, 35.5f, 310, 229}, true},
        MoveCase{{{'c', 100, 100}, {'s', 100, 100}, {'m', 110, 104}}, {10, 41.5f, 300, 225}, true},
        MoveCase{{{'s', 0, 0}, {'m', 500, -400}}, {500, -362.5f, 300, 225}, true}, // off the view
        MoveCase{{{'k', 200, 100}, {'m', -200, 100}}, {200, 37.5f, -100, 225}, true},
        MoveCase{{{'c', 10, 10}, {'c', 20, 30}, {'m', 200, 200}}, {10, 10, 10, 20}, false}),
    [](const auto& info) {
        std::string kinds; // the event kinds, then the row: "km_3"
        for (const Ev& e : info.param.events) {
            kinds += e.kind;
        }
        return kinds + "_" + std::to_string(info.index);
    });

TEST(CropGestureCropCoords, AreDifferencesOfProducts) {
    // From x = 1 to x = 16 of a 300-point fit: 1000 * (16/300) - 1000 * (1/300)
    // is 50.0000038 in float, not the 50 of 1000 * (16/300 - 1/300).
    CropGesture gesture = Fitted();
    Play(gesture, {{'c', 1, 37.5f}, {'m', 16, 262.5f}, {'c', 16, 262.5f}});
    const float left = 1000.0f * (1.0f / 300.0f);
    const float width = 1000.0f * (16.0f / 300.0f) - left;
    ASSERT_NE(width, 50.0f);
    const QRectF r = gesture.CropCoords(1000.0f, 750.0f);
    EXPECT_EQ(static_cast<float>(r.x()), left);
    EXPECT_EQ(static_cast<float>(r.width()), width);
    EXPECT_EQ(r.y(), 0.0);
    EXPECT_EQ(r.height(), 750.0);
}

// (The real view's resize is in CropImageViewTest.)
TEST(CropGestureRefit, KeepsTheCropCoordinatesExactlyEvenThroughASqueezeToNothing) {
    CropGesture unfitted(300.0f, 300.0f);
    EXPECT_FALSE(unfitted.Refit(500.0f, 500.0f).repaint);
    EXPECT_EQ(unfitted.Selection(), (ViewRect{10, 10, 100, 100}));
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
