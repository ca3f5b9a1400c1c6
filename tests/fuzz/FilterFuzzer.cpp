// Every filter (and every look at any scale) on pixel images of any size from 0 x 0 to 600 x 600
// holding any plane values: nothing may read or write outside the planes or hit undefined
// behaviour, and Preview must pack whatever the filters leave.
#include "filters/Filters.h"
#include "filters/ScaledLooks.h"
#include "fuzz/support/FuzzApplication.h"
#include "fuzz/support/FuzzInput.h"
#include "image/QuorelImage.h"

#include <QColor>
#include <QImage>

namespace {

using Apply = void (*)(QuorelImage*, FuzzInput&);

constexpr Apply kFilters[] = {
    [](QuorelImage* i, FuzzInput&) { Filters::Desaturize(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::IncreaseContrast(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::DecreaseContrast(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::Sepia(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::Posterize(i); },
    [](QuorelImage* i, FuzzInput& in) {
        const uint32_t rgba = in.Take<uint32_t>();
        Filters::Colorize(i, (rgba & 1) ? QColor() : QColor::fromRgba(rgba));
    },
    [](QuorelImage* i, FuzzInput&) { Filters::ArtsyFilter(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::Soften(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::Sharpen(i); },
    [](QuorelImage* i, FuzzInput& in) { Filters::GaussBlurToBackBuffer(i, in.IntIn(-4, 160)); },
    [](QuorelImage* i, FuzzInput&) { Filters::CenterFocus(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::PopArtPoster2(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::ToyCam(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::FilmStripFilter(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::ClassicFrame(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::PolaroidFilter(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::Photomat(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::IncreaseHotColors(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::IncreaseColdColors(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::IncreaseExposureX2(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::DecreaseExposureX2(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::Noise(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::Vergilben(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::OldTimeFilter(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::PopArtPoster(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::Photomat_old(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::TestFilter(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::Blur(i); },
    [](QuorelImage* i, FuzzInput& in) { Filters::GaussBlur(i, in.IntIn(-4, 160)); },
    [](QuorelImage* i, FuzzInput& in) {
        Filters::BlendWithColor(i, in.AnyFloat(), in.AnyFloat(), in.AnyFloat());
    },
    [](QuorelImage* i, FuzzInput&) { Filters::RotateCW(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::RotateCCW(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::NeonLight(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::GlassButton(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::ReliefImage(i); },
    [](QuorelImage* i, FuzzInput&) { Filters::IncreaseSaturation(i); },
    [](QuorelImage* i, FuzzInput& in) {
        Filters::ChangeSaturation(i, in.AnyFloat(), in.AnyFloat());
    },
    [](QuorelImage* i, FuzzInput& in) {
        ScaledLooks::Apply(size_t(in.IntIn(0, 13)), i, QColor(Qt::red), in.AnyFloat());
    },
    [](QuorelImage* i, FuzzInput& in) {
        const ScaledLooks::Chosen chosen(static_cast<unsigned long long>(in.IntIn(0, 8191)));
        ScaledLooks::ApplyChosen(chosen, i, QColor(Qt::red), in.AnyFloat());
    },
    [](QuorelImage* i, FuzzInput& in) { i->BlendBackBuffer(in.IntIn(0, 4)); },
    [](QuorelImage* i, FuzzInput& in) { i->LerpBackBuffer(in.AnyFloat()); },
};
constexpr int kFilterCount = int(sizeof(kFilters) / sizeof(kFilters[0]));

// Fills every plane, front and back: values 0..255, or any int32 at all.
void Fill(QuorelImage& image, uint32_t seed, bool anyValue) {
    uint32_t state = seed | 1u; // xorshift: cheap enough for 600 x 600 x 8 values
    int32_t* planes[] = {image.Red(),
                         image.Green(),
                         image.Blue(),
                         image.Alpha(),
                         image.Red_Backbuffer(),
                         image.Green_Backbuffer(),
                         image.Blue_Backbuffer(),
                         image.Alpha_Backbuffer()};
    for (int32_t* plane : planes) {
        for (int32_t i = 0; i < image.PixelCount(); ++i) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            plane[i] = anyValue ? int32_t(state) : int32_t(state & 255u);
        }
    }
}

std::unique_ptr<QuorelImage> MakeImage(FuzzInput& in, bool withPicture) {
    // Mostly small pictures, where the edges are, so that many inputs get tried;
    // now and then any size up to 600 x 600.
    const int limit = in.Take<uint8_t>() < 32 ? 600 : 40;
    const int width = in.IntIn(0, limit);
    const int height = in.IntIn(0, limit);
    if (withPicture && width > 0 && height > 0) {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        return QuorelImage::InitWithNSImage(picture);
    }
    return QuorelImage::InitEmpty(width, height);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureFuzzApplication();
    FuzzInput in(data, size);
    const uint8_t mode = in.Take<uint8_t>();
    auto image = MakeImage(in, mode & 2);
    if (!image) {
        return 0;
    }
    Fill(*image, in.Take<uint32_t>(), mode & 1);
    const int passes = 1 + (mode >> 6);
    for (int pass = 0; pass < passes; ++pass) {
        const int which = in.IntIn(0, kFilterCount - 1);
        kFilters[which](image.get(), in);
        if (which < kFilterCount - 2) { // the last two are the image's own operations
            kFilters[which](nullptr, in);
        }
    }
    image->Preview();
    return 0;
}
