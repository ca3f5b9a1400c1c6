#include "filters/Filters.h"

#include "filters/RadialFalloff.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <vector>

// Composite looks: pop art (tiling with a hue turn), toy camera (radial
// darkening, then soften) and film strip (a frame drawn over the toy camera).

namespace {

using PixelMath::CapFloor;
using PixelMath::Truncate;

// --- pop art --------------------------------------------------------------------

// Hue turn of each quadrant, in degrees.
constexpr float kTurnTopLeft = 270.0f;
constexpr float kTurnTopRight = 90.0f;
constexpr float kTurnBottomLeft = 135.0f;
constexpr float kTurnBottomRight = 180.0f;

constexpr float kDegreesPerSector = 60.0f;
constexpr float kFullTurn = 360.0f;
constexpr float kPercent = 100.0f;
constexpr float kByteMax = 255.0f;
constexpr float kSaturationBoost = 1.5f;

struct RowPlanes {
    int32_t* red;
    int32_t* green;
    int32_t* blue;
};

// back(x, y) = front((2x) mod W, (2y) mod H): each quadrant shows the whole
// picture at half size.
void GatherHalfSize(const int32_t* __restrict front, int32_t* __restrict back, int32_t w,
                    int32_t h) {
    const int32_t evenColumns = static_cast<int32_t>((int64_t(w) + 1) / 2); // 2x < W
    for (int32_t y = 0; y < h; ++y) {
        const int32_t* in = front + (int64_t(2) * y % h) * w;
        int32_t* out = back + int64_t(y) * w;
        for (int32_t x = 0; x < evenColumns; ++x) {
            out[x] = in[int64_t(2) * x];
        }
        for (int32_t x = evenColumns; x < w; ++x) {
            out[x] = in[int64_t(2) * x - w];
        }
    }
}

// Hue turned and saturation raised, in place, for count pixels whose values lie
// in 0..255 (the contrast step caps and floors them). For such values the turned
// hue h + turn lies in 30..570, where the double remainder modulo 360 equals
// h - 360 exactly in float, so no fmod call is needed; and where the boosted
// saturation is 0 the sector formulas give v / 100 * 255 in every channel, the
// grey value, so the grey case needs no branch of its own.
void TurnHues(RowPlanes p, int32_t count, float turn) {
    int32_t* __restrict red = p.red;
    int32_t* __restrict green = p.green;
    int32_t* __restrict blue = p.blue;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t r = red[i];
        const int32_t g = green[i];
        const int32_t b = blue[i];
        const int32_t mx = std::max(r, std::max(g, b));
        const int32_t mn = std::min(r, std::min(g, b));
        const int32_t delta = mx - mn;
        const int32_t num = mx == r ? g - b : (mx == g ? b - r : r - g);
        const float offset = mx == r ? 0.0f : (mx == g ? 2.0f : 4.0f);
        const float spread = static_cast<float>(delta == 0 ? 1 : delta);
        const float hue =
            delta == 0 ? 0.0f : (static_cast<float>(num) / spread + offset) * kDegreesPerSector;
        const float saturation =
            mx == 0 ? 0.0f
                    : (static_cast<float>(delta) / static_cast<float>(mx == 0 ? 1 : mx)) * kPercent;
        const float value = kPercent * (static_cast<float>(mx) / kByteMax);

        float turned = hue + turn;
        turned = turned >= kFullTurn ? turned - kFullTurn : turned;
        turned = turned < 0.0f ? turned + kFullTurn : turned;
        float boosted = saturation * kSaturationBoost;
        boosted = boosted > kPercent ? kPercent : boosted;

        const float hs = turned / kDegreesPerSector;
        const int32_t n = static_cast<int32_t>(hs); // hs >= 0: truncation is the floor
        const float f = hs - static_cast<float>(n);
        const float sn = boosted / -kPercent;
        const float vn = value / kPercent;
        const float pv = (sn + 1.0f) * vn;
        const float qv = (sn * f + 1.0f) * vn;
        const float tv = ((1.0f - f) * sn + 1.0f) * vn;

        // Sectors 0..5: (vn, t, p) (q, vn, p) (p, vn, t) (p, q, vn) (t, p, vn) (vn, p, q).
        const float ro = n == 0 ? vn : n == 1 ? qv : n <= 3 ? pv : n == 4 ? tv : vn;
        const float go = n == 0 ? tv : n <= 2 ? vn : n == 3 ? qv : pv;
        const float bo = n <= 1 ? pv : n == 2 ? tv : n <= 4 ? vn : qv;
        red[i] = CapFloor(Truncate(ro * kByteMax));
        green[i] = CapFloor(Truncate(go * kByteMax));
        blue[i] = CapFloor(Truncate(bo * kByteMax));
    }
}

void PopArtQuadrants(QuorelImage& image) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    GatherHalfSize(image.Red(), image.Red_Backbuffer(), w, h);
    GatherHalfSize(image.Green(), image.Green_Backbuffer(), w, h);
    GatherHalfSize(image.Blue(), image.Blue_Backbuffer(), w, h);
    const int32_t hw = w / 2;
    const int32_t hh = h / 2;
    for (int32_t y = 0; y < h; ++y) {
        const ptrdiff_t row = ptrdiff_t(y) * w;
        const RowPlanes left{image.Red_Backbuffer() + row, image.Green_Backbuffer() + row,
                             image.Blue_Backbuffer() + row};
        const RowPlanes right{left.red + hw, left.green + hw, left.blue + hw};
        TurnHues(left, hw, y < hh ? kTurnTopLeft : kTurnBottomLeft);
        TurnHues(right, w - hw, y < hh ? kTurnTopRight : kTurnBottomRight);
    }
}

// --- toy camera -------------------------------------------------------------------

// Every channel times the radial weight, truncated; no cap, no floor.
void Darken(QuorelImage& image) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    const RadialFalloff falloff(w, h);
    std::vector<float> weight(static_cast<size_t>(w));
    int32_t* planes[3] = {image.Red(), image.Green(), image.Blue()};
    for (int32_t y = 0; y < h; ++y) {
        falloff.Row(y, weight.data());
        const float* __restrict f = weight.data();
        for (int32_t* plane : planes) {
            int32_t* __restrict row = plane + ptrdiff_t(y) * w;
            for (int32_t x = 0; x < w; ++x) {
                row[x] = Truncate(static_cast<float>(row[x]) * f[x]);
            }
        }
    }
}

// --- film strip -------------------------------------------------------------------

constexpr float kBandShare = 0.025f; // top and bottom bands, of the mean side
constexpr float kSideShare = 0.1f;   // side bands, of the mean side
constexpr float kHoleShare = 0.6f;   // hole length, gap and width, of the side band
constexpr float kHoleInset = 0.2f;   // holes' distance from the edge, of the side band
constexpr int64_t kRimWidth = 2;     // halved rim inside the bands
constexpr int32_t kHoleWhite = 255;
constexpr int32_t kHoleSide = 200;

struct StripMeasures {
    int64_t band;  // t
    int64_t side;  // s
    int64_t hole;  // L
    int64_t inset; // o
};

StripMeasures Measure(int32_t w, int32_t h) {
    const float mean = static_cast<float>((int64_t(w) + h) / 2);
    const int32_t side = Truncate(mean * kSideShare);
    return {Truncate(mean * kBandShare), side, Truncate(static_cast<float>(side) * kHoleShare),
            Truncate(static_cast<float>(side) * kHoleInset)};
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

void BandsRow(int32_t* __restrict row, int32_t w, Outside black, Outside rim) {
    for (int32_t x = 0; x < w; ++x) {
        const bool inBlack = x < black.low || x > black.high;
        const bool inRim = x < rim.low || x > rim.high;
        row[x] = inBlack ? 0 : (inRim ? row[x] / 2 : row[x]);
    }
}

void FillColumns(int32_t* row, int32_t w, int64_t from, int64_t to, int32_t value) {
    const int64_t begin = std::max<int64_t>(from, 0);
    const int64_t end = std::min<int64_t>(to, int64_t(w) - 1);
    for (int64_t x = begin; x <= end; ++x) {
        row[x] = value;
    }
}

// Grey sides at o, o + L, W - o - L - 1, W - o - 1; white strictly between.
void HolesRow(int32_t* row, int32_t w, const StripMeasures& m) {
    const int64_t rightStart = int64_t(w) - m.inset - m.hole - 1;
    for (int64_t x : {m.inset, m.inset + m.hole, rightStart, int64_t(w) - m.inset - 1}) {
        FillColumns(row, w, x, x, kHoleSide);
    }
    FillColumns(row, w, m.inset + 1, m.inset + m.hole - 1, kHoleWhite);
    FillColumns(row, w, rightStart + 1, int64_t(w) - m.inset - 2, kHoleWhite);
}

void DrawStrip(QuorelImage& image) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    const int64_t n = image.PixelCount();
    const StripMeasures m = Measure(w, h);
    int32_t* planes[3] = {image.Red(), image.Green(), image.Blue()};
    bool holesOn = true;
    int64_t rowCount = 0;
    for (int32_t y = 0; y < h; ++y) {
        const int64_t first = int64_t(y) * w; // index of the row's first pixel
        const Outside black = Clip(std::max(m.side, m.band * w - first),
                                   std::min(w - m.side, n - m.band * w - first), w);
        const Outside rim =
            Clip(std::max(m.side + kRimWidth, (m.band + kRimWidth) * w - first),
                 std::min(w - m.side - kRimWidth, n - (m.band + kRimWidth) * w - first), w);
        for (int32_t* plane : planes) {
            int32_t* row = plane + first;
            BandsRow(row, w, black, rim);
            if (holesOn) {
                HolesRow(row, w, m);
            }
        }
        if (++rowCount == m.hole) {
            holesOn = !holesOn;
            rowCount = 0;
        }
    }
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
    Darken(*image);
    Soften(image);
}

void Filters::FilmStripFilter(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    DecreaseContrast(image);
    ToyCam(image);
    // ToyCam's softening swapped the buffers: the planes are fetched afresh here.
    DrawStrip(*image);
}
