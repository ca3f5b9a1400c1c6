#include "filters/Filters.h"

#include "filters/Convolution3x3.h"
#include "filters/HueTurn.h"
#include "filters/LookScale.h"
#include "filters/PointSteps.h"
#include "filters/RadialFalloff.h"
#include "filters/RowBands.h"
#include "filters/ScaledConvolution.h"
#include "filters/ScaledLooks.h"
#include "filters/ToneMath.h"
#include "filters/WideKernel.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

// Composite looks: pop art (tiling with a hue turn), toy camera (radial
// darkening, then soften) and film strip (a frame drawn over the toy camera).

namespace {

using PixelMath::Truncate;

// --- pop art --------------------------------------------------------------------

// The quadrants: which half of the rows and columns, and the hue turn in degrees.
struct Quadrant {
    bool bottom;
    bool right;
    float turn;
};
constexpr Quadrant kQuadrants[] = {
    {false, false, 270.0f},
    {false, true, 90.0f},
    {true, false, 135.0f},
    {true, true, 180.0f},
};

// The gathered row's first count pixels through the held steps (if any).
void Gathered(HueTurn& hues, const PointSteps* held, int32_t count) {
    if (held != nullptr) {
        (*held)(ColourRun{hues.Red(), hues.Green(), hues.Blue(), count});
    }
}

// Pixel (x, y) shows the source ((2x) mod W, (2y) mod H). With W and H even all
// four quadrants show the same pixels, the even columns of the even rows, so
// each row of them is analysed once and turned four times.
void PopArtEven(QuorelImage& image, HueTurn& hues, const PointSteps* held, int32_t from,
                int32_t to) {
    const int32_t w = image.Width();
    const int32_t hw = w / 2;
    const int32_t hh = image.Height() / 2;
    const int32_t* front[3] = {image.Red(), image.Green(), image.Blue()};
    int32_t* gathered[3] = {hues.Red(), hues.Green(), hues.Blue()};
    for (int32_t y = from; y < to; ++y) {
        for (int c = 0; c < 3; ++c) {
            const int32_t* in = front[c] + int64_t(2) * y * w;
            for (int32_t k = 0; k < hw; ++k) {
                gathered[c][k] = in[2 * k];
            }
        }
        Gathered(hues, held, hw);
        hues.Analyse(hw);
        for (const Quadrant& q : kQuadrants) {
            const int64_t at = int64_t(q.bottom ? y + hh : y) * w + (q.right ? hw : 0);
            hues.Turn(0, hw, q.turn, image.Red_Backbuffer() + at, image.Green_Backbuffer() + at,
                      image.Blue_Backbuffer() + at);
        }
    }
}

// Any size, row by row: gather the row's sources, analyse, turn each half.
void PopArtAnySize(QuorelImage& image, HueTurn& hues, const PointSteps* held, int32_t from,
                   int32_t to) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    const int32_t hw = w / 2;
    const int32_t evenColumns = static_cast<int32_t>((int64_t(w) + 1) / 2); // 2x < W
    const int32_t* front[3] = {image.Red(), image.Green(), image.Blue()};
    int32_t* gathered[3] = {hues.Red(), hues.Green(), hues.Blue()};
    for (int32_t y = from; y < to; ++y) {
        for (int c = 0; c < 3; ++c) {
            const int32_t* in = front[c] + (int64_t(2) * y % h) * w;
            for (int32_t x = 0; x < evenColumns; ++x) {
                gathered[c][x] = in[int64_t(2) * x];
            }
            for (int32_t x = evenColumns; x < w; ++x) {
                gathered[c][x] = in[int64_t(2) * x - w];
            }
        }
        Gathered(hues, held, w);
        hues.Analyse(w);
        const bool bottom = y >= h / 2;
        for (const Quadrant& q : kQuadrants) {
            if (q.bottom == bottom) {
                const int32_t from = q.right ? hw : 0;
                const int64_t at = int64_t(y) * w + from;
                hues.Turn(from, q.right ? w - hw : hw, q.turn, image.Red_Backbuffer() + at,
                          image.Green_Backbuffer() + at, image.Blue_Backbuffer() + at);
            }
        }
    }
}

// The quadrants into the back buffer, each gathered pixel first through the
// held steps: a look that reads only the even pixels of the even rows does the
// steps on those alone.
void PopArtQuadrants(QuorelImage& image, const PointSteps* held = nullptr) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    // Rows of the back buffer, each from the front alone: a large picture goes
    // in two bands at once.
    const bool even = w % 2 == 0 && h % 2 == 0;
    const int32_t rows = even ? h / 2 : h;
    RowBands::Run(rows, RowBands::Split(rows, int64_t(w) * h), [&](int32_t from, int32_t to) {
        HueTurn hues(w);
        if (even) {
            PopArtEven(image, hues, held, from, to);
        } else {
            PopArtAnySize(image, hues, held, from, to);
        }
    });
}

// --- toy camera -------------------------------------------------------------------

TRELLICA_WIDE_KERNEL void DarkenRow(int32_t* __restrict row, const float* __restrict f, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        row[x] = PixelMath::TruncateFinite(static_cast<float>(row[x]) * f[x]);
    }
}

// Every channel times the radial weight f, truncated; no cap, no floor; for the
// film strip after the lowered contrast. Fused into the softening pass row by
// row (the same values as passes of their own). Rows may be darkened on two
// threads at once: the weights are made in runs on the stack.
class Darkening {
public:
    Darkening(int32_t w, int32_t h, bool lowerContrast)
        : _falloff(w, h), _lowerContrast(lowerContrast) {}

    void operator()(int32_t y, const std::array<int32_t*, 3>& rows) const {
        constexpr int32_t kRun = 256;
        float weight[kRun];
        for (int32_t from = 0; from < _falloff.Width(); from += kRun) {
            const int32_t n = std::min(kRun, _falloff.Width() - from);
            _falloff.Row(y, from, n, weight);
            for (int32_t* row : rows) {
                if (_lowerContrast) {
                    ToneMath::ContrastRun(row + from, n, ToneMath::kContrastDown);
                }
                DarkenRow(row + from, weight, n);
            }
        }
    }

private:
    RadialFalloff _falloff;
    bool _lowerContrast;
};

// (DecreaseContrast,) the darkening, then Soften at the scale, each row first
// through the held steps. The darkening is a share of the picture: it needs no
// scaling.
void ToyCamera(QuorelImage& image, bool lowerContrast, const LookScale& scale,
               const PointSteps& held = PointSteps()) {
    const Darkening darkening(image.Width(), image.Height(), lowerContrast);
    ScaledConvolution::Apply(image, Convolution3x3::Soften(), scale,
                             held.Before(image.Width(), std::cref(darkening)));
}

// --- film strip -------------------------------------------------------------------

constexpr float kBandShare = 0.025f;  // top and bottom bands, of the mean side
constexpr float kSideShare = 0.1f;    // side bands, of the mean side
constexpr float kHoleShare = 0.6f;    // hole length, gap and width, of the side band
constexpr float kHoleInset = 0.2f;    // holes' distance from the edge, of the side band
constexpr int32_t kRimWidth = 2;      // halved rim inside the bands
constexpr int32_t kHoleSideWidth = 1; // the holes' grey sides
constexpr int32_t kHoleWhite = 255;
constexpr int32_t kHoleSide = 200;

struct StripMeasures {
    int64_t band;     // t
    int64_t side;     // s
    int64_t hole;     // L
    int64_t inset;    // o
    int64_t rim;      // 2
    int64_t holeSide; // 1
};

// The measures of the stated picture (the picture's size at the scale's stated
// side), each then scaled.
StripMeasures Measure(int32_t w, int32_t h, const LookScale& scale) {
    const int64_t statedW = scale.StatedSide(w);
    const float mean = static_cast<float>((statedW + scale.StatedSide(h)) / 2);
    const int32_t side = Truncate(mean * kSideShare);
    return {scale.Count(Truncate(mean * kBandShare)),
            scale.Count(side),
            scale.Count(Truncate(static_cast<float>(side) * kHoleShare)),
            scale.Count(Truncate(static_cast<float>(side) * kHoleInset)),
            scale.Count(kRimWidth),
            std::max(1, scale.Count(kHoleSideWidth))};
}

// Columns x < low or x > high of a row, as int32 bounds within -1..W.
struct Outside {
    int32_t low;
    int32_t high;
};

Outside Clip(int64_t low, int64_t high, int32_t w) {
    return {static_cast<int32_t>(std::clamp<int64_t>(low, 0, w)),
            static_cast<int32_t>(std::clamp<int64_t>(high, -1, w - 1))};
}

void HalveRun(int32_t* __restrict begin, const int32_t* end) {
    for (int32_t* p = begin; p < end; ++p) {
        *p /= 2; // toward zero
    }
}

// Black where x < black.low or x > black.high; of the rest, halved where
// x < rim.low or x > rim.high. Only those runs are touched: the middle of a row
// keeps its values without being visited.
void BandsRow(int32_t* row, int32_t w, Outside black, Outside rim) {
    const int32_t keepFrom = black.low;
    const int32_t keepTo = std::max(black.high, keepFrom - 1); // keepFrom - 1: all black
    std::fill(row, row + keepFrom, 0);
    std::fill(row + keepTo + 1, row + w, 0);
    const int32_t leftEnd = std::clamp(rim.low, keepFrom, keepTo + 1);
    HalveRun(row + keepFrom, row + leftEnd);
    const int32_t rightBegin = std::clamp(rim.high + 1, leftEnd, keepTo + 1);
    HalveRun(row + rightBegin, row + keepTo + 1);
}

void FillColumns(int32_t* row, int32_t w, int64_t from, int64_t to, int32_t value) {
    const int64_t begin = std::max<int64_t>(from, 0);
    const int64_t end = std::min<int64_t>(to, int64_t(w) - 1);
    for (int64_t x = begin; x <= end; ++x) {
        row[x] = value;
    }
}

// Grey sides g = holeSide wide from o, o + L, W - o - L - 1 and W - o - 1
// inward; white between them (over grey where they meet).
void HolesRow(int32_t* row, int32_t w, const StripMeasures& m) {
    const int64_t g = m.holeSide - 1;
    const int64_t left = m.inset;
    const int64_t right = int64_t(w) - m.inset - m.hole - 1;
    for (int64_t x : {left, right}) {
        FillColumns(row, w, x, x + g, kHoleSide);
        FillColumns(row, w, x + m.hole - g, x + m.hole, kHoleSide);
    }
    for (int64_t x : {left, right}) {
        FillColumns(row, w, x + 1 + g, x + m.hole - 1 - g, kHoleWhite);
    }
}

// Rows on their own, in two bands at once on a large picture. The holes are on
// in the first run of L rows and every other one after it (always when L = 0).
void DrawStrip(QuorelImage& image, const LookScale& scale) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    const int64_t n = image.PixelCount();
    const StripMeasures m = Measure(w, h, scale);
    int32_t* planes[3] = {image.Red(), image.Green(), image.Blue()};
    RowBands::Run(h, RowBands::Split(h, n), [&](int32_t from, int32_t to) {
        for (int32_t y = from; y < to; ++y) {
            const int64_t first = int64_t(y) * w; // index of the row's first pixel
            const Outside black = Clip(std::max(m.side, m.band * w - first),
                                       std::min(w - m.side, n - m.band * w - first), w);
            const Outside rim =
                Clip(std::max(m.side + m.rim, (m.band + m.rim) * w - first),
                     std::min(w - m.side - m.rim, n - (m.band + m.rim) * w - first), w);
            const bool holesOn = m.hole <= 0 || (y / m.hole) % 2 == 0;
            for (int32_t* plane : planes) {
                int32_t* row = plane + first;
                BandsRow(row, w, black, rim);
                if (holesOn) {
                    HolesRow(row, w, m);
                }
            }
        }
    });
}

void FilmStrip(QuorelImage& image, const LookScale& scale, const PointSteps& held = PointSteps()) {
    ToyCamera(image, true, scale, held); // DecreaseContrast, then ToyCam, in one pass
    // ToyCam's softening may have swapped the buffers: the planes are fetched afresh.
    DrawStrip(image, scale);
}

} // namespace

void Filters::PopArtPoster2(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    IncreaseContrast(image);
    PopArtQuadrants(*image);
    image->SwapBackBuffer();
}

void Filters::ToyCam(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    ToyCamera(*image, false, LookScale(1.0f));
}

void Filters::FilmStripFilter(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    FilmStrip(*image, LookScale(1.0f));
}

void ScaledLooks::ToyCam(QuorelImage* image, float scale) {
    LookScale::Run(image, scale, &Filters::ToyCam,
                   [](QuorelImage& i, const LookScale& at) { ToyCamera(i, false, at); });
}

void ScaledLooks::FilmStripFilter(QuorelImage* image, float scale) {
    LookScale::Run(image, scale, &Filters::FilmStripFilter,
                   [](QuorelImage& i, const LookScale& at) { FilmStrip(i, at); });
}

void ScaledLooks::PopArtPoster2(QuorelImage& image, const LookScale&, PointSteps& held) {
    if (held.ByRowsOnly()) {
        held.Flush(image); // it gathers single pixels
    }
    held.Add([](const ColourRun& run) { ToneRuns::Contrast(run, ToneMath::kContrastUp); });
    const PointSteps taken = held.Take();
    PopArtQuadrants(image, &taken);
    image.SwapBackBuffer();
}

void ScaledLooks::ToyCam(QuorelImage& image, const LookScale& scale, PointSteps& held) {
    ToyCamera(image, false, scale, held.Take());
}

void ScaledLooks::FilmStripFilter(QuorelImage& image, const LookScale& scale, PointSteps& held) {
    FilmStrip(image, scale, held.Take());
}
