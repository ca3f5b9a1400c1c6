#include "AppHarness.h"
#include "render/ProfileTargets.h"
#include "filters/Filters.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"
#include "views/CropImageView.h"
#include "views/ImageView.h"

#include <QAbstractButton>
#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kPrepared = QStringLiteral("Try prepare image data...");

// Every target fitted from the processed picture without text (==) or with it (!=).
void ExpectUntexted(AppHarness& app, bool untexted) {
    const QImage processed = app.Controller().croppedImage();
    for (const ProfileTarget& target : ProfileTargets::Targets()) {
        if (target.source == TargetSource::ProcessedPicture) {
            EXPECT_EQ(app.Preview(target.objectName) ==
                          ImageTools::ScaleImage(processed, target.box),
                      untexted)
                << target.objectName;
        }
    }
}

void ExpectNoPreviews(AppHarness& app) {
    for (const ProfileTarget& target : ProfileTargets::Targets()) {
        EXPECT_TRUE(app.Preview(target.objectName).isNull()) << target.objectName;
    }
    EXPECT_TRUE(app.Controller().useCached()); // the run ended normally
}

QGraphicsOpacityEffect* Opacity(AppHarness& app, const char* name) {
    ImageView* view = app.Find<ImageView>(name);
    return view ? qobject_cast<QGraphicsOpacityEffect*>(view->graphicsEffect()) : nullptr;
}

struct ShapeCase {
    QSize picture;
    QSize facebook200;
    QSize skype96;
};

class PipelineShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(PipelineShapes, SelectionShapeDecidesTargetSizes) {
    const ShapeCase& c = GetParam();
    AppHarness app;
    app.Open(TestPictures::Gradient(c.picture.width(), c.picture.height()));
    app.Click("resetButton");
    EXPECT_EQ(app.Preview("facebook200").size(), c.facebook200);
    EXPECT_EQ(app.Preview("skype96").size(), c.skype96);
    // The small facebook picture is the upper 200 x 200 square of the large one.
    const QImage first = app.Preview("facebook200");
    const float y = std::max(0.0f, float(first.height()) - 200.0f);
    const QImage upper =
        ImageTools::ScaleImage(ImageTools::CutOutImage(first, {0, y, 200, 200}), {50, 50});
    EXPECT_EQ(app.Preview("facebook50"), upper);
}

INSTANTIATE_TEST_SUITE_P(Selections, PipelineShapes,
                         ::testing::Values(ShapeCase{{300, 300}, {200, 200}, {96, 96}},
                                           ShapeCase{{256, 512}, {150, 300}, {48, 96}},
                                           ShapeCase{{400, 500}, {200, 250}, {76, 96}},
                                           ShapeCase{{512, 256}, {200, 100}, {96, 48}}));

TEST(Pipeline, LookSwitchedOnAndOffGivesTheFittedCropAgain) {
    AppHarness app;
    const QImage picture = TestPictures::Gradient(300, 200);
    app.Open(picture);
    LogCapture log;
    app.Click("buttonSepia");
    EXPECT_NE(app.Controller().croppedImage(), AppHarness::FittedCrop(picture));
    app.Click("buttonSepia");
    EXPECT_EQ(log.Count(kPrepared), 1); // two full runs, a pixel image only for the first
    EXPECT_FALSE(app.Controller().AnyOptionsActive());
    EXPECT_FALSE(app.Find<QAbstractButton>("buttonSepia")->isChecked());
    EXPECT_EQ(app.Controller().croppedImage(), AppHarness::FittedCrop(picture));
}

TEST(Pipeline, AllLooksRunInTheirFixedOrder) {
    AppHarness app;
    const QImage picture = TestPictures::Gradient(256, 256);
    app.Open(picture);
    for (const ProfileLook& look : ProfileTargets::Looks()) {
        app.Click(look.buttonName);
    }
    auto image = QuorelImage::InitWithNSImage(AppHarness::FittedCrop(picture));
    ASSERT_NE(image, nullptr);
    QuorelImage* p = image.get();
    Filters::CenterFocus(p);
    Filters::Posterize(p);
    Filters::Sepia(p);
    Filters::ToyCam(p);
    Filters::Colorize(p, QColor(Qt::red));
    Filters::PopArtPoster2(p);
    Filters::Sharpen(p);
    Filters::Soften(p);
    Filters::ArtsyFilter(p);
    Filters::ClassicFrame(p);
    Filters::PolaroidFilter(p);
    Filters::Photomat(p);
    Filters::FilmStripFilter(p);
    EXPECT_EQ(app.Controller().croppedImage(), image->Preview());
}

TEST(Pipeline, TypingMakesCachedRunsWithTextOnEveryTargetUntilTheTextIsGone) {
    AppHarness app;
    app.Open(TestPictures::Gradient(300, 300));
    app.Click("buttonPosterize");
    const qint64 processed = app.Controller().croppedImage().cacheKey();
    LogCapture log;
    app.Type(QStringLiteral("Hi"));
    EXPECT_EQ(log.Count(QStringLiteral("bla??")), 2);
    EXPECT_EQ(log.Count(kPrepared), 0);
    EXPECT_EQ(app.Controller().croppedImage().cacheKey(), processed);
    ExpectUntexted(app, false);
    QTest::keyClick(app.Find<QWidget>("theTextField"), Qt::Key_Backspace);
    QTest::keyClick(app.Find<QWidget>("theTextField"), Qt::Key_Backspace);
    ExpectUntexted(app, true);
}

TEST(Pipeline, OpeningAPictureMakesTheNextTextEditAFullRun) {
    AppHarness app;
    app.Open(TestPictures::Solid(200, 200, QColor(255, 0, 0)));
    app.Click("resetButton");
    app.Open(TestPictures::Solid(200, 200, QColor(0, 0, 255)));
    // The previews still show the previous picture until the next run ...
    EXPECT_EQ(QColor(app.Preview("skype96").pixel(90, 90)), QColor(255, 0, 0));
    app.Type(QStringLiteral("a"));
    // ... which then never derives the targets from it.
    EXPECT_EQ(QColor(app.Controller().croppedImage().pixel(500, 500)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(app.Preview("skype96").pixel(90, 90)), QColor(0, 0, 255));
}

TEST(Pipeline, PictureTooThinToFitOrNoPictureEmptiesThePreviews) {
    AppHarness app;
    app.Open(TestPictures::Gradient(100, 100));
    app.Click("resetButton");
    app.Open(TestPictures::Gradient(3000, 1)); // fitted to 512 it is under a pixel high
    app.Type(QStringLiteral("a"));
    EXPECT_TRUE(app.Controller().croppedImage().isNull());
    ExpectNoPreviews(app);

    app.Open(TestPictures::Gradient(120, 90));
    app.Click("resetButton");
    QFile broken(app.Folder() + QStringLiteral("/broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    app.Controller().filePanelDidEnd(broken.fileName(), 1);
    EXPECT_TRUE(app.Controller().theImage().isNull());
    EXPECT_TRUE(app.Find<ImageView>("baseImageView")->image().isNull());
    app.Click("buttonSepia");
    ExpectNoPreviews(app);
}

TEST(Pipeline, BackgroundToggledTwiceMakesTwoCachedRunsAndEndsOn) {
    AppHarness app;
    app.Open(TestPictures::Solid(200, 200, QColor(20, 40, 160)));
    app.Type(QStringLiteral("Hello"));
    const QImage onBackground = app.Preview("facebook200");
    LogCapture log;
    app.Click("textBackgroundToggle");
    const QImage bare = app.Preview("facebook200");
    app.Click("textBackgroundToggle");
    EXPECT_EQ(log.Count(kPrepared), 0);
    EXPECT_NE(bare, onBackground);
    EXPECT_EQ(app.Preview("facebook200"), onBackground);
}

TEST(Pipeline, PickedPositionWaitsForTextThenPlacesIt) {
    AppHarness app;
    const QColor blue(20, 40, 160);
    app.Open(TestPictures::Solid(200, 200, blue));
    QTest::mouseClick(app.Find<QWidget>("positionView"), Qt::LeftButton, {}, QPoint(25, 10));
    EXPECT_TRUE(app.Preview("facebook200").isNull()); // no text, no run
    app.Type(QStringLiteral("W"));
    const QImage first = app.Preview("facebook200");
    ASSERT_EQ(first.size(), QSize(200, 200));
    // (0.5, 0.8) upward: the box's lower-left corner sits at (100, 160), row 40.
    EXPECT_NE(QColor(first.pixel(102, 37)), blue);
    EXPECT_EQ(QColor(first.pixel(97, 37)), blue);
    EXPECT_EQ(QColor(first.pixel(102, 43)), blue);
}

TEST(Pipeline, EveryRunFadesFacebookAndTwitterButNoOtherPreview) {
    AppHarness app;
    app.Open(TestPictures::Gradient(100, 100));
    app.Controller().HideImages();
    EXPECT_EQ(Opacity(app, "twitter48")->opacity(), 0.0);
    auto* fade = Opacity(app, "facebook200")->findChild<QPropertyAnimation*>();
    ASSERT_NE(fade, nullptr);
    EXPECT_EQ(fade->endValue().toDouble(), 0.0);
    app.Click("resetButton");
    for (const char* name : {"linkedin80", "google96", "skype48"}) {
        const QGraphicsOpacityEffect* effect = Opacity(app, name);
        EXPECT_TRUE(effect == nullptr || effect->opacity() == 1.0) << name;
    }
    EXPECT_LT(Opacity(app, "twitter24")->opacity(), 1.0);
    QTRY_COMPARE(Opacity(app, "twitter24")->opacity(), 1.0);
    QTRY_COMPARE(Opacity(app, "facebook200")->opacity(), 1.0);
}

// A 400 x 400 picture in the 540 x 540 crop view: a view point is 400/540 of a picture pixel.
// The gestures themselves are the crop view's tests; here each one must start a run over what
// it selected.
class PipelineGestures : public ::testing::Test {
protected:
    void SetUp() override {
        app.Open(picture);
        view = app.Find<CropImageView>("baseImageView");
        ASSERT_NE(view, nullptr);
        ASSERT_EQ(view->size(), QSize(540, 540));
    }
    void Click(QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseMove(view, at);
        QTest::mouseClick(view, Qt::LeftButton, modifiers, at);
    }
    void ExpectRendered() {
        const QRectF r = view->CropCoords(400, 400);
        const FloatRect rect{float(r.x()), float(r.y()), float(r.width()), float(r.height())};
        EXPECT_EQ(app.Controller().croppedImage(),
                  ImageTools::ScaleImage(ImageTools::CutOutImage(picture, rect), {512, 512}));
    }

    const QImage picture = TestPictures::Gradient(400, 400);
    AppHarness app;
    CropImageView* view = nullptr;
};

TEST_F(PipelineGestures, TwoClicksShiftAndControlRenderWhatWasSelected) {
    Click({135, 135});
    QTest::mouseMove(view, {300, 300});
    Click({405, 405});
    EXPECT_EQ(view->CropCoords(400, 400), QRectF(100, 100, 200, 200));
    ExpectRendered();
    EXPECT_EQ(app.Preview("facebook200").size(), QSize(200, 200));
    Click({200, 200}, Qt::ShiftModifier);
    QTest::mouseMove(view, {254, 200}); // 40 pixels to the right
    Click({254, 200});
    EXPECT_NEAR(view->CropCoords(400, 400).x(), 140, 1e-3);
    ExpectRendered();
    Click({324, 270}, Qt::ControlModifier);
    QTest::mouseMove(view, {351, 243}); // 10 pixels larger on each side
    Click({351, 243});
    EXPECT_NEAR(view->CropCoords(400, 400).width(), 220, 1e-3);
    ExpectRendered();
}

TEST_F(PipelineGestures, EmptySelectionEmptiesThePreviews) {
    app.Click("resetButton");
    ASSERT_FALSE(app.Preview("google96").isNull());
    Click({200, 200});
    Click({200, 200}); // on the anchor: nothing selected
    EXPECT_TRUE(app.Controller().croppedImage().isNull());
    ExpectNoPreviews(app);
}

} // namespace
