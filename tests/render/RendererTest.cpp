#include "render/Renderer.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"
#include "support/CaseName.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QColorSpace>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

// The text drawn over the whole picture, for a target of that size.
QImage WithText(const QImage& p, const TextLine& x, float size) {
    QFont f = QGuiApplication::font();
    f.setPointSizeF(x.size / 9.0f * (size / 512.0f * 100.0f));
    return ImageTools::CutOutImagePlusText(p, {0, 0, float(p.width()), float(p.height())}, x.text,
                                           f, size * x.left, size * x.top, x.colour,
                                           x.useBackground ? x.background : QColor());
}

// The pipeline written out plainly: cut, fit, looks in table order, then each
// target fitted (the small facebook one from the large one's upper square)
// with the text drawn at T * S / 46.08 pixels through the font's size.
RenderResult Plainly(const RenderRequest& r) {
    RenderResult out;
    out.processed =
        ImageTools::ScaleImage(ImageTools::CutOutImage(r.source, r.selection), {512, 512});
    if (r.looks.any() && !out.processed.isNull()) {
        auto image = QuorelImage::InitWithNSImage(out.processed);
        for (size_t i = 0; i < ProfileTargets::kLookCount; ++i)
            if (r.looks[i])
                ProfileTargets::Looks()[i].apply(image.get(), r.colorize);
        out.processed = image->Preview();
    }
    for (size_t i = 0; i < ProfileTargets::kTargetCount; ++i) {
        const ProfileTarget& t = ProfileTargets::Targets()[i];
        const float top = std::max(0.0f, out.targets[0].height() - 200.0f);
        QImage& p = out.targets[i] = ImageTools::ScaleImage(
            t.source == TargetSource::ProcessedPicture
                ? out.processed
                : ImageTools::CutOutImage(out.targets[0], {0, top, 200, 200}),
            t.box);
        if (!r.text.text.isEmpty() && !p.isNull())
            p = WithText(p, r.text, t.size);
    }
    return out;
}

RenderRequest Request(QImage source, FloatRect selection, const char* looks, QString text) {
    source.setDotsPerMeterX(11811); // described, which the pictures must keep
    source.setColorSpace(QColorSpace::DisplayP3);
    const bool opaque = !source.hasAlphaChannel(); // transparent: text without a background
    RenderRequest r{std::move(source), selection, LookSet(looks), Qt::red, {}};
    r.text = TextLine{std::move(text), 12.5f, Qt::yellow, Qt::blue, opaque, 0.2f, 0.3f, QFont()};
    return r;
}

// A request rendered, then changed and rendered again by the same renderer.
struct Case {
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
    const char* name;
    QImage source;
    FloatRect selection;
    const char* looks;
    const char* text;
    void (*change)(RenderRequest&, Renderer&);
    bool full;
};

class RendererGives : public ::testing::TestWithParam<Case> {};

TEST_P(RendererGives, ThePlainPipelinesPicturesRunningFullOnlyWhenTheCutOrLooksChanged) {
    const Case& c = GetParam();
    RenderRequest request = Request(c.source, c.selection, c.looks, c.text);
    Renderer renderer;
    LogCapture quiet;
    EXPECT_TRUE(renderer.Render(request).fullRun);
    c.change(request, renderer);
    const RenderResult got = renderer.Render(request);
    EXPECT_EQ(got.fullRun, c.full);
    const RenderResult want = Plainly(request);
    EXPECT_EQ(got.processed, want.processed);
    EXPECT_EQ(got.processed.dotsPerMeterX(), want.processed.dotsPerMeterX());
    EXPECT_EQ(got.processed.colorSpace(), want.processed.colorSpace());
    for (size_t i = 0; i < ProfileTargets::kTargetCount; ++i)
        EXPECT_EQ(got.targets[i], want.targets[i])
            << ProfileTargets::Targets()[i].network << " " << i;
}

// Look 4 colourizes.
const QImage kSmall = TestPictures::Gradient(300, 200);
const FloatRect kAll{0, 0, 300, 200};
// clang-format off
INSTANTIATE_TEST_SUITE_P(Requests, RendererGives, ::testing::Values(
    Case{"OpaqueInsideAllLooks_ColourOfColorizeOn", TestPictures::Gradient(700, 600),
         {40, 30, 600, 520}, "1111111111111", "Hey", [](auto& r, auto&) { r.colorize = Qt::green; },
         true},
    Case{"HalfOutsideNoLooksNoText_Selection", TestPictures::Gradient(200, 300),
         {-50, 120, 200, 300}, "0", "", [](auto& r, auto&) { r.selection.x = -49; }, true},
    Case{"TransparentTallSomeLooks_TextOnly", TestPictures::HalfTransparent(100, 400),
         {0, 0, 100, 400}, "10010", "Yo", [](auto& r, auto&) { r.text.text = "Ho"; }, false},
    Case{"ColourUnused", kSmall, kAll, "1", "Hi", [](auto& r, auto&) { r.colorize = Qt::green; },
         false},
    Case{"Invalidated", kSmall, kAll, "0", "Hi", [](auto&, auto& x) { x.Invalidate(); }, true},
    Case{"Look", kSmall, kAll, "1", "Hi", [](auto& r, auto&) { r.looks.flip(2); }, true},
    Case{"Source", kSmall, kAll, "0", "Hi", [](auto& r, auto&) { r.source = r.source.copy(); },
         true}), CaseName());
// clang-format on

TEST(Renderer, WholePictureCarriesTheTextScaledToItsWidth) {
    Renderer renderer;
    EXPECT_TRUE(renderer.WholePicture({}).isNull()); // before a run
    const RenderRequest request =
        Request(TestPictures::Solid(300, 200, Qt::darkGreen), kAll, "0", "Hi");
    const QImage processed = renderer.Render(request).processed;
    EXPECT_EQ(renderer.WholePicture(request.text), WithText(processed, request.text, 512));
}

} // namespace
