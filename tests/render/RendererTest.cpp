#include "render/Renderer.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"
#include "render/ProfileFiles.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QColorSpace>
#include <QGuiApplication>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The pipeline written out plainly: cut, fit, looks in table order, then each
// target fitted (the small facebook one from the large one's upper square)
// with the text drawn at T * S / 46.08 pixels through the font's size.
RenderResult Plainly(const RenderRequest& r) {
    RenderResult out;
    LogCapture quiet;
    out.processed =
        ImageTools::ScaleImage(ImageTools::CutOutImage(r.source, r.selection), {512, 512});
    if (r.looks.any() && !out.processed.isNull()) {
        auto image = QuorelImage::InitWithNSImage(out.processed);
        for (size_t i = 0; i < ProfileTargets::kLookCount; ++i) {
            if (r.looks[i]) {
                ProfileTargets::Looks()[i].apply(image.get(), r.colorize);
            }
        }
        out.processed = image->Preview();
    }
    for (size_t i = 0; i < ProfileTargets::kTargetCount; ++i) {
        const ProfileTarget& t = ProfileTargets::Targets()[i];
        const float y = std::max(0.0f, float(out.targets[0].height()) - 200.0f);
        const QImage from = t.source == TargetSource::ProcessedPicture
                                ? out.processed
                                : ImageTools::CutOutImage(out.targets[0], {0, y, 200, 200});
        QImage p = ImageTools::ScaleImage(from, t.box);
        const float font = r.text.size / 9.0f * (t.size / 512.0f * 100.0f);
        if (!r.text.text.isEmpty() && !p.isNull()) {
            QFont f = QGuiApplication::font();
            f.setPointSizeF(font);
            p = ImageTools::CutOutImagePlusText(
                p, {0, 0, float(p.width()), float(p.height())}, r.text.text, f,
                t.size * r.text.left, t.size * r.text.top, r.text.colour,
                r.text.useBackground ? r.text.background : QColor());
        }
        out.targets[i] = p;
    }
    return out;
}

RenderRequest Request(QImage source, FloatRect selection, const char* looks, QString text) {
    RenderRequest r{std::move(source), selection, LookSet(looks), Qt::red, {}};
    r.text = TextLine{std::move(text), 12.5f, Qt::yellow, Qt::blue, true, 0.2f, 0.3f};
    return r;
}

struct SameCase {
    const char* name;
    QImage (*source)();
    FloatRect selection;
    const char* looks;
    const char* text;
    bool background = true;
    friend void PrintTo(const SameCase& c, std::ostream* os) { *os << c.name; }
};

class RendererGives : public ::testing::TestWithParam<SameCase> {};

TEST_P(RendererGives, ThePlainPipelinesPicturesAndMetadata) {
    const SameCase& c = GetParam();
    RenderRequest request = Request(c.source(), c.selection, c.looks, c.text);
    request.text.useBackground = c.background;
    Renderer renderer;
    LogCapture quiet;
    const RenderResult got = renderer.Render(request);
    const RenderResult want = Plainly(request);
    EXPECT_EQ(got.processed, want.processed);
    EXPECT_EQ(got.processed.dotsPerMeterX(), want.processed.dotsPerMeterX());
    EXPECT_EQ(got.processed.colorSpace(), want.processed.colorSpace());
    for (size_t i = 0; i < ProfileTargets::kTargetCount; ++i) {
        EXPECT_EQ(got.targets[i], want.targets[i]) << ProfileTargets::Targets()[i].objectName;
    }
}

QImage Described(QImage picture) {
    picture.setDotsPerMeterX(11811);
    picture.setColorSpace(QColorSpace::DisplayP3);
    picture.setText(QStringLiteral("Author"), QStringLiteral("me"));
    return picture;
}

// clang-format off
const SameCase kRequests[] = {
    {"OpaqueInsideAllLooksText", [] { return TestPictures::Gradient(700, 600); },
     {40, 30, 600, 520}, "1111111111111", "Hey"},
    {"OpaqueWithMetadataNoLooks", [] { return Described(TestPictures::Gradient(300, 400)); },
     {10, 20, 250, 300}, "0", ""},
    {"HalfOutsideSomeLooks", [] { return TestPictures::Gradient(200, 300); },
     {-50, 120, 200, 300}, "1000000010010", "Jo"},
    {"TransparentTallNoBackground", [] { return TestPictures::HalfTransparent(100, 400); },
     {0, 0, 100, 400}, "0000000100000", "tall", false}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Requests, RendererGives, ::testing::ValuesIn(kRequests),
                         [](const auto& info) { return std::string(info.param.name); });

struct CacheCase {
    const char* name;
    std::function<void(RenderRequest&, Renderer&)> change;
    bool full;
    friend void PrintTo(const CacheCase& c, std::ostream* os) { *os << c.name; }
};

class RendererCache : public ::testing::TestWithParam<CacheCase> {};

TEST_P(RendererCache, WhatChangedDecidesAFullRun) {
    RenderRequest request =
        Request(TestPictures::Gradient(300, 200), {0, 0, 300, 200}, "0000000000001", "Hi");
    Renderer renderer;
    LogCapture quiet;
    EXPECT_TRUE(renderer.Render(request).fullRun);
    GetParam().change(request, renderer);
    const RenderResult result = renderer.Render(request);
    EXPECT_EQ(result.fullRun, GetParam().full);
    EXPECT_EQ(result.targets[0], Plainly(request).targets[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, RendererCache,
    ::testing::Values(
        CacheCase{"Nothing", [](RenderRequest&, Renderer&) {}, false},
        CacheCase{"Text", [](RenderRequest& r, Renderer&) { r.text.text = "Ho"; }, false},
        CacheCase{"ColourOfColorizeOff",
                  [](RenderRequest& r, Renderer&) { r.colorize = Qt::green; }, false},
        CacheCase{"Invalidated", [](RenderRequest&, Renderer& x) { x.Invalidate(); }, true},
        CacheCase{"Selection", [](RenderRequest& r, Renderer&) { r.selection.x = 1; }, true},
        CacheCase{"Look", [](RenderRequest& r, Renderer&) { r.looks.flip(2); }, true},
        CacheCase{"ColourOfColorizeOn",
                  [](RenderRequest& r, Renderer&) {
                      r.looks.set(4);
                      r.colorize = Qt::green;
                  },
                  true},
        CacheCase{"Source", [](RenderRequest& r, Renderer&) { r.source = r.source.copy(); }, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Renderer, WholePictureCarriesTheTextScaledToItsWidth) {
    Renderer renderer;
    EXPECT_TRUE(renderer.WholePicture({}).isNull()); // before a run
    RenderRequest request =
        Request(TestPictures::Solid(400, 300, Qt::darkGreen), {0, 0, 400, 300}, "0", "Hi");
    const QImage processed = renderer.Render(request).processed; // 512 x 384
    QFont font = QGuiApplication::font();
    font.setPointSizeF(12.5f / 9.0f * 100.0f);
    EXPECT_EQ(renderer.WholePicture(request.text),
              ImageTools::CutOutImagePlusText(processed, {0, 0, 512, 384}, "Hi", font, 102.4f,
                                              153.6f, Qt::yellow, Qt::blue));
}

TEST(ProfileFiles, NamesAndAdmittedPictures) {
    EXPECT_EQ(ProfileFiles::RemoveExtension("/d.old/my.photo.jpg"), "/d.old/my.photo");
    EXPECT_EQ(ProfileFiles::OriginalPath("/d.old/me"), "/d.old/me.tif");
    EXPECT_EQ(ProfileFiles::OriginalPath("/d/me.png"), "/d/me.png");
    for (const char* name : {"a.jpg", "A.JPG", "a.tiff", "a.gif", "portrait", "/x/portrait"}) {
        EXPECT_TRUE(ProfileFiles::IsAdmitted(QLatin1String(name))) << name;
    }
    for (const char* name : {"a.txt", "a.webp", "a.tif.txt", "", "/some/where/"}) {
        EXPECT_FALSE(ProfileFiles::IsAdmitted(QLatin1String(name))) << name;
    }
}

} // namespace
