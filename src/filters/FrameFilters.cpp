#include "filters/Filters.h"

#include "filters/LookScale.h"
#include "filters/ScaledLooks.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>

// Frame looks: white bands drawn over the front colour planes, and the
// photo-booth strip built from them, at the stated size and larger. Alpha and
// back buffer are not touched.

namespace {

constexpr float kFrameShare = 0.05f;  // frame width, of the mean side
constexpr int64_t kInstantBottom = 4; // the instant photo's bottom band, in frame widths
constexpr int32_t kWhite = 255;
constexpr int32_t kBlack = 0;
constexpr int32_t kStripScale = 4; // the strip shows the picture at a quarter size
constexpr float kStripShift = 1.5f;

// b = truncate(((W + H) / 2) * 0.05), the mean an integer division, of the
// stated picture (the picture's size at the scale's stated side), then scaled.
int64_t FrameWidth(int32_t w, int32_t h, const LookScale& scale) {
    const int64_t mean = (int64_t(scale.StatedSide(w)) + scale.StatedSide(h)) / 2;
    return scale.Count(PixelMath::Truncate(static_cast<float>(mean) * kFrameShare));
}

void FillRow(QuorelImage& image, int64_t first, int64_t from, int64_t to, int32_t value) {
    for (int32_t* plane : {image.Red(), image.Green(), image.Blue()}) {
        std::fill(plane + first + from, plane + first + to, value);
    }
}

// White where x < b, x > W - b, i < W * b or i > n - bottomBands * W * b, for
// pixel index i = y * W + x from 0 to n - 1. Each test bounds x from one side,
// so each row whitens at most one run at its start and one at its end.
void WhiteFrame(QuorelImage& image, int64_t n, int64_t bottomBands, const LookScale& scale) {
    const int64_t w = image.Width();
    const int64_t b = FrameWidth(image.Width(), image.Height(), scale);
    const int64_t rows = w > 0 ? n / w : 0;
    for (int64_t y = 0; y < rows; ++y) {
        const int64_t first = y * w;
        const int64_t left = std::clamp<int64_t>(std::max(b, w * b - first), 0, w);
        const int64_t right =
            std::clamp<int64_t>(std::min(w - b, n - bottomBands * w * b - first), left - 1, w - 1);
        FillRow(image, first, 0, left, kWhite);
        FillRow(image, first, right + 1, w, kWhite);
    }
}

// Rows before qh take every fourth pixel of every fourth row, later rows repeat
// the row qh above them, already rewritten; columns past qw turn black. In
// place, in index order, channel by channel (no channel reads another).
void StripPlane(int32_t* plane, int32_t w, int32_t h) {
    const int32_t qw = w / kStripScale;
    const int32_t qh = h / kStripScale;
    for (int32_t y = 0; y < h; ++y) {
        int32_t* row = plane + int64_t(y) * w;
        if (y < qh) {
            const int32_t* in = plane + (int64_t(kStripScale) * y % h) * w;
            for (int32_t x = 0; x <= qw; ++x) {
                const int64_t c = int64_t(kStripScale) * x; // at most W: mod W is one subtraction
                row[x] = in[c >= w ? c - w : c];
            }
        } else if (qh > 0) {
            const int32_t* in = plane + int64_t(y - qh) * w;
            std::copy(in, in + qw + 1, row);
        }
        std::fill(row + qw + 1, row + w, kBlack);
    }
}

// The strip's columns 0..qw+1 move right by sh = truncate(qw * 1.5) and the
// columns they leave turn black. On pictures narrower than 16 pixels the new
// place overlaps the old one: the strip moves intact (as memmove would) and
// whatever would land past the right edge is dropped.
void CentreStrip(int32_t* plane, int32_t w, int32_t h) {
    const int32_t qw = w / kStripScale;
    const int64_t shift = PixelMath::Truncate(static_cast<float>(qw) * kStripShift);
    const int64_t width = int64_t(qw) + 2;
    const int64_t moved = std::min<int64_t>(width, w - shift);
    const int64_t vacated = std::min<int64_t>({shift, width, w});
    for (int32_t y = 0; y < h; ++y) {
        int32_t* row = plane + int64_t(y) * w;
        if (moved > 0 && shift > 0) {
            std::copy_backward(row, row + moved, row + shift + moved);
        }
        std::fill(row, row + vacated, kBlack);
    }
}

void Frame(QuorelImage& image, const LookScale& scale) {
    WhiteFrame(image, image.DataSize() / 4, 1, scale);
}

void Instant(QuorelImage& image, const LookScale& scale) {
    WhiteFrame(image, image.PixelCount(), kInstantBottom, scale);
}

// The strip's quarter size and its move are shares of the picture: only the
// frame's width scales.
void PhotoStrip(QuorelImage& image, const LookScale& scale) {
    Filters::Desaturize(&image);
    Filters::IncreaseContrast(&image);
    Frame(image, scale);
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    for (int32_t* plane : {image.Red(), image.Green(), image.Blue()}) {
        StripPlane(plane, w, h);
        CentreStrip(plane, w, h);
    }
}

} // namespace

void Filters::ClassicFrame(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    Frame(*image, LookScale(1.0f));
}

void Filters::PolaroidFilter(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    Instant(*image, LookScale(1.0f));
}

void Filters::Photomat(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    PhotoStrip(*image, LookScale(1.0f));
}

void ScaledLooks::ClassicFrame(QuorelImage* image, float scale) {
    LookScale::Run(image, scale, &Filters::ClassicFrame, &Frame);
}

void ScaledLooks::PolaroidFilter(QuorelImage* image, float scale) {
    LookScale::Run(image, scale, &Filters::PolaroidFilter, &Instant);
}

void ScaledLooks::Photomat(QuorelImage* image, float scale) {
    LookScale::Run(image, scale, &Filters::Photomat, &PhotoStrip);
}
