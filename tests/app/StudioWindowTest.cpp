#include "AppHarness.h"
#include "render/ProfileTargets.h"
#include "support/TestPictures.h"
#include "views/ColorWell.h"
#include "views/ImageView.h"

#include <QAction>
#include <QClipboard>
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

} // namespace
