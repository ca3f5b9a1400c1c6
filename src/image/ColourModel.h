#pragma once

#include "image/PixelMath.h"

#include <cmath>
#include <cstdint>

// The hue-saturation-brightness colour model every colour operation shares
// (the colour tools, the saturation looks, pop art). Hue is in degrees, six
// sectors of 60. Two ways back to red, green and blue differ on purpose and are
// both kept: the hexcone (by value: Corners and Hexcone) and the bi-hexcone of
// the final effects (by lightness: FromLightness).
//
// Everything is inline and branch-free where it can be, so that the pixel loops
// calling it still vectorise; the order of every operation is part of the
// result.
namespace ColourModel {

constexpr float kDegreesPerSector = 60.0f;
constexpr float kFullTurn = 360.0f;
constexpr float kPercent = 100.0f;
constexpr float kByteMax = 255.0f;

// The difference of the two other channels that gives the hue, with the sector
// offset below: g - b (0) when red is the largest, b - r (2) when green is,
// r - g (4) otherwise.
template <typename T> T HueDifference(T r, T g, T b, T largest) {
    return largest == r ? T(g - b) : (largest == g ? T(b - r) : T(r - g));
}
template <typename T> float SectorOffset(T r, T g, T largest) {
    return largest == r ? 0.0f : (largest == g ? 2.0f : 4.0f);
}
// Hue in degrees, (difference / spread + offset) * 60; below 0 for reds whose
// blue exceeds their green.
inline float HueDegrees(float difference, float spread, float offset) {
    return (difference / spread + offset) * kDegreesPerSector;
}

// The hexcone's corner values for the fraction f of the way through a sector,
// the saturation as a negative fraction ns (-1..0) and the value v:
// p = (ns + 1) v, q = (ns f + 1) v, t = ((1 - f) ns + 1) v.
template <typename T> struct Corners {
    T p;
    T q;
    T t;
};
template <typename T> Corners<T> CornersOf(T ns, T f, T v) {
    return {(ns + T(1)) * v, (ns * f + T(1)) * v, ((T(1) - f) * ns + T(1)) * v};
}

// Red, green and blue of sector 0..5: (v, t, p) (q, v, p) (p, v, t) (p, q, v)
// (t, p, v) (v, p, q); any other sector counts as 0. Selects, not a table, so
// that it vectorises.
template <typename T> void Hexcone(int32_t sector, T v, const Corners<T>& c, T& r, T& g, T& b) {
    r = v;
    g = c.t;
    b = c.p;
    r = sector == 1 ? c.q : r;
    g = sector == 1 ? v : g;
    r = sector == 2 ? c.p : r;
    g = sector == 2 ? v : g;
    b = sector == 2 ? c.t : b;
    r = sector == 3 ? c.p : r;
    g = sector == 3 ? c.q : g;
    b = sector == 3 ? v : b;
    r = sector == 4 ? c.t : r;
    g = sector == 4 ? c.p : g;
    b = sector == 4 ? v : b;
    g = sector == 5 ? c.p : g;
    b = sector == 5 ? c.q : b;
}

// The bi-hexcone of the final effects: hue h in degrees, saturation s and
// lightness l in 0..1 to red, green and blue in 0..1, in rgb. A grey (s = 0)
// gives l * 255 in every channel, as the effects expect.
inline void FromLightness(float h, float s, float l, float rgb[3]) {
    if (s == 0.0f) {
        rgb[0] = rgb[1] = rgb[2] = l * kByteMax;
        return;
    }
    const float m2 = l > 0.5f ? (l - s * l) + s : l + s * l;
    const float m1 = l > 0.5f ? (l + s * l) - s : l - s * l;
    const int32_t i = PixelMath::Truncate(h / kDegreesPerSector);
    const float sectorPos = h >= kFullTurn - kDegreesPerSector ? (h - kFullTurn) / kDegreesPerSector
                                                               : h / kDegreesPerSector;
    const int64_t next = (int64_t(i) + 1) % 6; // remainder with the sign of i + 1
    const float u = std::floor(static_cast<float>(next) * 0.5f) * -2.0f + sectorPos;
    const float c = (i % 2 != 0) ? m1 - u * (m2 - m1) : (m2 - m1) * u + m1;
    const float rows[6][3] = {{m2, c, m1}, {c, m2, m1}, {m1, m2, c},
                              {m1, c, m2}, {c, m1, m2}, {m2, m1, c}};
    const float* row = rows[i >= 1 && i <= 5 ? i : 0];
    rgb[0] = row[0];
    rgb[1] = row[1];
    rgb[2] = row[2];
}

} // namespace ColourModel
