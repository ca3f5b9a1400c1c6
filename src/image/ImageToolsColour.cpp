#include "effects/zmathe.h"
#include "image/ImageTools.h"
#include "image/PixelMath.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kChannelMax = 255.0f;
constexpr float kSectorDegrees = 60.0f;
constexpr float kFullTurn = 360.0f;
constexpr float kLastSectorStart = 300.0f;
constexpr float kHalfLightness = 0.5f;
constexpr uint32_t kOpaque = 0xFF000000u;
constexpr float kTwoTo32 = 4294967296.0f;

struct Channels {
    float r;
    float g;
    float b;
    float max;
    float min;
};

Channels ChannelsOf(uint32_t colour) {
    Channels c;
    c.r = static_cast<float>(colour & 0xFFu);
    c.g = static_cast<float>((colour >> 8) & 0xFFu);
    c.b = static_cast<float>((colour >> 16) & 0xFFu);
    c.max = std::max(std::max(c.r, c.g), c.b);
    c.min = std::min(std::min(c.r, c.g), c.b);
    return c;
}

// The spread relative to the largest channel, 0..255.
float Saturation(const Channels& c) {
    return c.max > 0.0f ? (c.max - c.min) * kChannelMax / c.max : 0.0f;
}

// Hue in degrees, 0 up to below 360; only for colours whose channels differ.
float HueDegrees(const Channels& c) {
    const float spread = c.max - c.min;
    float h;
    if (c.max == c.r) {
        h = (c.g - c.b) / spread;
    } else if (c.max == c.g) {
        h = (c.b - c.r) / spread + 2.0f;
    } else {
        h = (c.r - c.g) / spread + 4.0f;
    }
    h = h * kSectorDegrees;
    if (h < 0.0f) {
        h = h + kFullTurn;
    }
    return h;
}

// A float at least 0 as an unsigned integer, all ones from 2^32 on.
uint32_t ToUnsigned(float v) {
    if (!(v > 0.0f)) {
        return 0u;
    }
    return v >= kTwoTo32 ? 0xFFFFFFFFu : static_cast<uint32_t>(v);
}

// Hue, saturation 0..1 and brightness 0..1 of the colour into fBuffer.
void LoadHsb(uint32_t colour, float* buffer) {
    const Channels c = ChannelsOf(colour);
    buffer[0] = c.max == c.min ? 0.0f : HueDegrees(c);
    buffer[2] = c.max;
    buffer[1] = Saturation(c);
    buffer[1] = buffer[1] / kChannelMax;
    buffer[2] = buffer[2] / kChannelMax;
}

uint32_t PackBuffer(const float* buffer) {
    return ToUnsigned(buffer[0]) | (ToUnsigned(buffer[1]) << 8) | (ToUnsigned(buffer[2]) << 16) |
           kOpaque;
}

double Clamp01(double v) {
    return v > 0.0 ? std::min(v, 1.0) : 0.0; // NaN becomes 0
}

} // namespace

bool ImageTools::Hue(uint32_t colour, zvektor& hsb) {
    const Channels c = ChannelsOf(colour);
    hsb.z = c.max;
    hsb.y = Saturation(c);
    if (c.max == c.min) {
        hsb.x = 0.0f;
        return false;
    }
    hsb.x = HueDegrees(c);
    return true;
}

zvektor& ImageTools::ColorFromHsb(zvektor& hsl) {
    const float h = hsl.x;
    const float s = hsl.y;
    const float l = hsl.z;
    if (s == 0.0f) {
        hsl.x = hsl.y = hsl.z = l * kChannelMax;
        return hsl;
    }
    float m1;
    float m2;
    if (l > kHalfLightness) {
        m2 = (l - s * l) + s;
        m1 = (l + s * l) - s;
    } else {
        m2 = l + s * l;
        m1 = l - s * l;
    }
    const int32_t i = PixelMath::Truncate(h / kSectorDegrees);
    const float sectorPos =
        h >= kLastSectorStart ? (h - kFullTurn) / kSectorDegrees : h / kSectorDegrees;
    const int64_t next = (int64_t(i) + 1) % 6; // remainder with the sign of i + 1
    const float u = std::floor(static_cast<float>(next) * 0.5f) * -2.0f + sectorPos;
    const float c = (i % 2 != 0) ? m1 - u * (m2 - m1) : (m2 - m1) * u + m1;
    switch (i) {
    case 1:
        hsl.Set(c, m2, m1);
        break;
    case 2:
        hsl.Set(m1, m2, c);
        break;
    case 3:
        hsl.Set(m1, c, m2);
        break;
    case 4:
        hsl.Set(c, m1, m2);
        break;
    case 5:
        hsl.Set(m2, m1, c);
        break;
    default:
        hsl.Set(m2, c, m1);
        break;
    }
    return hsl;
}

// Hue-saturation-brightness to red, green and blue in fBuffer, each a whole
// number 0..255 (rounded, so that a colour converted to its own hue comes back
// unchanged). The hue is taken modulo 360, saturation and brightness are held
// in 0..1, and anything not finite counts as 0.
void ImageTools::ColorFromHsb(double hue, double saturation, double brightness) {
    double h = std::isfinite(hue) ? std::fmod(hue, 360.0) : 0.0;
    if (h < 0.0) {
        h += 360.0;
    }
    if (h >= 360.0) {
        h = 0.0;
    }
    const double s = Clamp01(saturation);
    const double v = Clamp01(brightness);
    const double sector = std::floor(h / 60.0);
    const double f = h / 60.0 - sector;
    const double p = v * (1.0 - s);
    const double q = v * (1.0 - s * f);
    const double t = v * (1.0 - s * (1.0 - f));
    double rgb[3];
    switch (static_cast<int>(sector)) {
    case 0:
        rgb[0] = v, rgb[1] = t, rgb[2] = p;
        break;
    case 1:
        rgb[0] = q, rgb[1] = v, rgb[2] = p;
        break;
    case 2:
        rgb[0] = p, rgb[1] = v, rgb[2] = t;
        break;
    case 3:
        rgb[0] = p, rgb[1] = q, rgb[2] = v;
        break;
    case 4:
        rgb[0] = t, rgb[1] = p, rgb[2] = v;
        break;
    default:
        rgb[0] = v, rgb[1] = p, rgb[2] = q;
        break;
    }
    float* buffer = fBuffer();
    for (int k = 0; k < 3; ++k) {
        buffer[k] = static_cast<float>(std::round(rgb[k] * 255.0));
    }
}

uint32_t ImageTools::ConvertToTargetHue(uint32_t colour, float targetHue) {
    float* buffer = fBuffer();
    LoadHsb(colour, buffer);
    ColorFromHsb(double(targetHue), double(buffer[1]), double(buffer[2]));
    return PackBuffer(buffer);
}

uint32_t ImageTools::IncreaseSaturation(uint32_t colour, float factor) {
    float* buffer = fBuffer();
    LoadHsb(colour, buffer);
    ColorFromHsb(double(buffer[0]), double(factor * buffer[1]), double(buffer[2]));
    return PackBuffer(buffer);
}

float* ImageTools::fBuffer() {
    thread_local float buffer[3] = {0.0f, 0.0f, 0.0f};
    return buffer;
}
