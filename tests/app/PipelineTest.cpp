#include "AppHarness.h"
#include "app/ControlNames.h"
#include "image/ImageTools.h"
#include "render/Renderer.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"
#include "views/CropImageView.h"
#include "views/ImageView.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kPrepared = QStringLiteral("Try prepare image data...");

// Every preview shows what a renderer gives for the window's request (null: all empty).
void ExpectShown(AppHarness& app, bool empty = false) {
    Renderer renderer;
    const RenderResult want = renderer.Render(app.Controller().Request());
    EXPECT_EQ(app.Controller().croppedImage(), want.processed);
    for (size_t i = 0; i < ProfileTargets::kTargetCount; ++i) {
        const char* name = ControlNames::Previews()[i];
        EXPECT_EQ(app.Preview(name), want.targets[i]) << name;
        EXPECT_EQ(app.Preview(name).isNull(), empty) << name;
    }
}

TEST(Pipeline, LooksRunFullAndTextRunsCached) {
    AppHarness app;
    app.Open(TestPictures::Gradient(400, 500));
    LogCapture log;
    app.Click("buttonSepia");
    app.Click("buttonFrame");
    EXPECT_EQ(log.Count(kPrepared), 2);
    const qint64 processed = app.Controller().croppedImage().cacheKey();
    app.Type(QStringLiteral("Hi"));
    EXPECT_EQ(log.Count(QStringLiteral("bla??")), 2);
    EXPECT_EQ(log.Count(kPrepared), 2);
    EXPECT_EQ(app.Controller().croppedImage().cacheKey(), processed);
    app.Click("textBackgroundToggle");
    EXPECT_EQ(log.Count(kPrepared), 2);
    ExpectShown(app);
}

// An opened picture shows at once; the previews keep the previous one until the next run,
// which even a text edit makes a full one.
TEST(Pipeline, OpeningAPictureMakesTheNextTextEditAFullRun) {
    AppHarness app;
    app.Open(TestPictures::Solid(200, 200, QColor(255, 0, 0)));
    app.Click("resetButton");
    const qint64 before = app.Preview("google96").cacheKey();
    app.Open(TestPictures::Solid(200, 100, QColor(0, 0, 255)));
    EXPECT_EQ(app.Preview("google96").cacheKey(), before);
    EXPECT_FALSE(app.Controller().useCached());
    app.Type(QStringLiteral("a"));
    EXPECT_EQ(QColor(app.Preview("skype96").pixel(48, 20)), QColor(0, 0, 255));
}

TEST(Pipeline, PickedPositionWaitsForTextThenPlacesIt) {
    AppHarness app;
    const QColor blue(20, 40, 160);
    app.Open(TestPictures::Solid(200, 200, blue));
    QTest::mouseClick(app.Find<QWidget>("positionView"), Qt::LeftButton, {}, QPoint(25, 10));
    EXPECT_TRUE(app.Preview("facebook200").isNull()); // no text, no run
    app.Type(QStringLiteral("W"));
    const QImage first = app.Preview("facebook200");
    // (0.5, 0.8) upward: the box's lower-left corner sits at (100, 160), row 40.
    EXPECT_NE(QColor(first.pixel(102, 37)), blue);
    EXPECT_EQ(QColor(first.pixel(97, 37)), blue);
}

// A 400 x 400 picture in the 540 x 540 crop view: each gesture renders what it selected; a
// broken picture empties the previews.
TEST(Pipeline, GesturesRenderWhatWasSelectedAndABrokenPictureNothing) {
    AppHarness app;
    app.Open(TestPictures::Gradient(400, 400));
    auto* view = app.Find<CropImageView>("baseImageView");
    const auto click = [view](QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseMove(view, at);
        QTest::mouseClick(view, Qt::LeftButton, modifiers, at);
    };
    click({135, 135});
    click({405, 405});
    EXPECT_EQ(view->CropCoords(400, 400), QRectF(100, 100, 200, 200));
    ExpectShown(app);
    click({200, 200});
    click({200, 200}); // on the anchor: nothing selected
    ExpectShown(app, true);
    app.OpenFile(app.Folder() + "/none.png"); // broken
    EXPECT_TRUE(view->image().isNull());
    app.Click("buttonSepia");
    ExpectShown(app, true);
}

} // namespace
