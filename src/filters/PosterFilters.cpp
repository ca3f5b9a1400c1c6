#include "filters/Filters.h"

#include "filters/ByteMath.h"
#include "filters/RadialFalloff.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <vector>

// Composite looks: pop art (tiling with a hue turn), toy camera (radial
// darkening, then soften) and film strip (a frame drawn over the toy camera).

namespace {

using ByteMath::TruncateCapFloor;
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

// Pop art's colour turn works on runs of this many pixels, in three simple loops
// (to HSV, sector corners, pick by sector) that each vectorise; a single loop
// would not, as the compiler keeps its float selects as branches.
constexpr int32_t kRun = 256;

struct HueRun {
    float sector[kRun]; // turned hue / 60
    float sn[kRun];     // raised saturation / -100
    float vn[kRun];     // value / 100
    int32_t n[kRun];    // sector number 0..5
    float p[kRun];
    float q[kRun];
    float t[kRun];
};

// The values lie in 0..255 (the contrast step caps and floors them), and that
// makes the shortcuts below exact:
// - a divisor of 0 is made 1; its quotient is then 0 (max = min means g - b = 0,
//   and max = 0 means max - min = 0), the hue and saturation the grey case gives;
// - the turned hue lies in 30..570, where the double remainder modulo 360 is
//   hue - 360 in float exactly when that is not negative;
// - min(s * 1.5, 100) / -100 equals max(s * 1.5 / -100, -1) (division by -100
//   is monotone), so no branch follows the cap at 100;
// - a saturation of 0 gives p = q = t = v / 100 in every sector, the grey value.
void ToHsv(const int32_t* __restrict red, const int32_t* __restrict green,
           const int32_t* __restrict blue, int32_t count, float turn, HueRun& run) {
    float* __restrict sector = run.sector;
    float* __restrict sn = run.sn;
    float* __restrict vn = run.vn;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t r = red[i];
        const int32_t g = green[i];
        const int32_t b = blue[i];
        const int32_t mx = std::max(r, std::max(g, b));
        const int32_t delta = mx - std::min(r, std::min(g, b));
        const int32_t num = mx == r ? g - b : (mx == g ? b - r : r - g);
        const float offset = mx == r ? 0.0f : (mx == g ? 2.0f : 4.0f);
        const float hue =
            (static_cast<float>(num) / static_cast<float>(delta + (delta == 0)) + offset) *
            kDegreesPerSector;
        const float saturation =
            (static_cast<float>(delta) / static_cast<float>(mx + (mx == 0))) * kPercent;
        const float value = kPercent * (static_cast<float>(mx) / kByteMax);
        const float turned = hue + turn;
        const float wrapped = turned - kFullTurn;
        sector[i] = (wrapped < 0.0f ? turned : wrapped) / kDegreesPerSector;
        sn[i] = std::max(saturation * kSaturationBoost / -kPercent, -1.0f);
        vn[i] = value / kPercent;
    }
}

void SectorCorners(int32_t count, HueRun& run) {
    const float* __restrict sector = run.sector;
    const float* __restrict sn = run.sn;
    const float* __restrict vn = run.vn;
    int32_t* __restrict n = run.n;
    float* __restrict p = run.p;
    float* __restrict q = run.q;
    float* __restrict t = run.t;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t whole = static_cast<int32_t>(sector[i]); // >= 0: truncation is the floor
        const float f = sector[i] - static_cast<float>(whole);
        n[i] = whole;
        p[i] = (sn[i] + 1.0f) * vn[i];
        q[i] = (sn[i] * f + 1.0f) * vn[i];
        t[i] = ((1.0f - f) * sn[i] + 1.0f) * vn[i];
    }
}

// Sectors 0..5: (v, t, p) (q, v, p) (p, v, t) (p, q, v) (t, p, v) (v, p, q), each
// times 255, truncated, clamped to 0..255.
void PickBySector(const HueRun& run, int32_t count, int32_t* __restrict red,
                  int32_t* __restrict green, int32_t* __restrict blue) {
    for (int32_t i = 0; i < count; ++i) {
        const int32_t n = run.n[i];
        const float v = run.vn[i];
        const float p = run.p[i];
        const float q = run.q[i];
        const float t = run.t[i];
        float r = v;
        float g = t;
        float b = p;
        r = n == 1 ? q : r;
        g = n == 1 ? v : g;
        r = n == 2 ? p : r;
        g = n == 2 ? v : g;
        b = n == 2 ? t : b;
        r = n == 3 ? p : r;
        g = n == 3 ? q : g;
        b = n == 3 ? v : b;
        r = n == 4 ? t : r;
        g = n == 4 ? p : g;
        b = n == 4 ? v : b;
        g = n == 5 ? p : g;
        b = n == 5 ? q : b;
        red[i] = TruncateCapFloor(r * kByteMax);
        green[i] = TruncateCapFloor(g * kByteMax);
        blue[i] = TruncateCapFloor(b * kByteMax);
    }
}

// Hue turned and saturation raised, in place, for count pixels.
void TurnHues(RowPlanes row, int32_t count, float turn) {
    HueRun run;
    for (int32_t start = 0; start < count; start += kRun) {
        const int32_t n = std::min(kRun, count - start);
        int32_t* r = row.red + start;
        int32_t* g = row.green + start;
        int32_t* b = row.blue + start;
        ToHsv(r, g, b, n, turn, run);
        SectorCorners(n, run);
        PickBySector(run, n, r, g, b);
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
                row[x] = ByteMath::Truncate(static_cast<float>(row[x]) * f[x]);
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
