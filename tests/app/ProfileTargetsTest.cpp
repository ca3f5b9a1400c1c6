#include "render/ProfileTargets.h"
#include "AppHarness.h"
#include "views/ImageView.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

struct PlacementCase {
    float slider;
    float size;
    float left;
    float top;
    TextPlacement expected;
};

class ProfileTargetsPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(ProfileTargetsPlacement, TextSizeAndCornerScaleWithTheTarget) {
    const PlacementCase& c = GetParam();
    const TextPlacement placed = ProfileTargets::PlaceText(c.slider, c.size, c.left, c.top);
    EXPECT_FLOAT_EQ(placed.fontSize, c.expected.fontSize);
    EXPECT_FLOAT_EQ(placed.left, c.expected.left);
    EXPECT_FLOAT_EQ(placed.top, c.expected.top);
}

INSTANTIATE_TEST_SUITE_P(StatedFigures, ProfileTargetsPlacement,
                         ::testing::Values(PlacementCase{9, 200, 0.5f, 0.8f, {39.0625f, 100, 160}},
                                           PlacementCase{9, 96, 0.5f, 0.8f, {18.75f, 48, 76.8f}},
                                           PlacementCase{9, 50, 0, 0, {9.765625f, 0, 0}},
                                           PlacementCase{9, 24, 0.5f, 0.8f, {4.6875f, 12, 19.2f}},
                                           PlacementCase{12, 96, 1, 1, {25, 96, 96}},
                                           PlacementCase{12, 24, 0, 1.5f, {6.25f, 0, 36}},
                                           // The whole 512 x 384 picture is placed by its width.
                                           PlacementCase{9, 512, 0.5f, 0.8f, {100, 256, 409.6f}}));

TEST(ProfileTargets, EveryTargetHasItsOwnPreviewInTheWindow) {
    AppHarness app;
    QSet<const ImageView*> views;
    for (const ProfileTarget& target : ProfileTargets::Targets()) {
        const ImageView* view = app.Find<ImageView>(target.objectName);
        ASSERT_NE(view, nullptr);
        views.insert(view);
    }
    EXPECT_EQ(views.size(), ProfileTargets::kTargetCount);
}

} // namespace
