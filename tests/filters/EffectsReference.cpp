#include "filters/Reference.h"

#include "filters/Filters.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

namespace Reference {

void RefHot(Pic& p) {
    Scale(p, 0, 1.25f, Cap);
    Scale(p, 2, 0.75f, Keep);
}

void RefCold(Pic& p) {
    Scale(p, 0, 0.75f, Keep);
    Scale(p, 2, 1.25f, Cap);
}

void RefExposureUp(Pic& p) {
    EachValue(p, [&](int c, int i) { p.f[c][i] = Cap(2 * p.f[c][i]); });
}

void RefExposureDown(Pic& p) {
    for (int c = 0; c < 3; ++c) {
        Scale(p, c, 0.5f, Keep);
    }
}

void RefNoise(Pic& p) {
    std::mt19937 generator(0);
    for (int i = 0; i < p.N(); ++i) {
        const float f = (float)(generator() % 1500u) / 10000.0f + 0.85f;
        for (int c = 0; c < 3; ++c) {
            p.f[c][i] = (int)((float)p.f[c][i] * f);
        }
    }
}

void RefVergilben(Pic& p) {
    for (int i = 0; i < p.N(); ++i) {
        const int y = Cap(
            (int)((float)p.f[0][i] * 0.3f + (float)p.f[1][i] * 0.59f + (float)p.f[2][i] * 0.11f));
        p.f[2][i] = (int)((float)y * 0.65f);
    }
}

// The 18 x 18 mean; pixels whose window leaves the plane keep their values.
void RefBlur(Pic& p) {
    const int W = p.W, N = p.N();
    for (int c = 0; c < 3; ++c) {
        for (int y = 0; y < p.H; ++y) {
            for (int x = 0; x < W; ++x) {
                const int i = y * W + x;
                if ((y - 9) * W + x - 9 < 0 || (y + 8) * W + x + 8 > N - 1) {
                    p.b[c][i] = p.f[c][i];
                    continue;
                }
                int sum = 0;
                for (int dy = -9; dy <= 8; ++dy) {
                    for (int dx = -9; dx <= 8; ++dx) {
                        sum += p.F(c, x + dx, y + dy);
                    }
                }
                p.b[c][i] = (int)((float)sum * 0.0030864198f);
            }
        }
    }
    p.Swap();
}

// Pixel (x, y) goes to (to(x, y), ...) in a picture H wide; channels 0..last.
template <typename To> void Turn(Pic& p, int channels, To to) {
    for (int c = 0; c < channels; ++c) {
        for (int y = 0; y < p.H; ++y) {
            for (int x = 0; x < p.W; ++x) {
                p.b[c][to(x, y)] = p.F(c, x, y);
            }
        }
    }
    p.Swap();
    std::swap(p.W, p.H);
}

void RefRotateCW(Pic& p) {
    Turn(p, 3, [&](int x, int y) { return x * p.H + y; });
}
void RefRotateCCW(Pic& p) {
    Turn(p, 4, [&](int x, int y) { return (p.W - 1 - x) * p.H + y; });
}

void AddBack(Pic& p) {
    EachValue(p, [&](int c, int i) { p.f[c][i] = Cap(p.f[c][i] + p.b[c][i]); });
}

void RefGlassButton(Pic& p) {
    const float R = 0.75f * (float)p.H, cx = 0.5f * (float)p.W;
    for (int y = 0; y < p.H; ++y) {
        for (int x = 0; x < p.W; ++x) {
            const float ax = (float)x - cx, ay = (float)y + 0.25f * (float)p.H;
            const float d1 = sqrtf(ax * ax + ay * ay);
            int v = 0;
            if (d1 <= R) {
                const float h = 150.0f - ((R - (R - d1)) / R) * 150.0f;
                v = h <= 50.0f ? (int)h : 0;
            }
            const float by = (float)y - (float)p.H;
            v += (int)(std::max(0.0f, R - sqrtf(ax * ax + by * by)) / R * 50.0f);
            for (int c = 0; c < 3; ++c) {
                p.b[c][y * p.W + x] = v;
            }
        }
    }
    AddBack(p);
}

void RefRelief(Pic& p) {
    for (int y = 1; y < p.H; ++y) {
        for (int x = 1; x < p.W; ++x) {
            const int v = Cap(std::abs(p.F(0, x, y) - p.F(0, x - 1, y)));
            for (int c = 0; c < 3; ++c) {
                p.b[c][y * p.W + x] = p.F(c, x, y) = v;
            }
        }
    }
}

// Hue (degrees), saturation 0..255, brightness = largest channel; false for greys.
bool RefHue(uint32_t colour, float out[3]) {
    const float r = (float)(colour & 255), g = (float)((colour >> 8) & 255),
                b = (float)((colour >> 16) & 255);
    const float max = std::max({r, g, b}), min = std::min({r, g, b});
    out[2] = max;
    out[1] = max > 0 ? (max - min) * 255.0f / max : 0.0f;
    out[0] = 0;
    if (max == min) {
        return false;
    }
    float h;
    if (max == r) {
        h = (g - b) / (max - min);
    } else if (max == g) {
        h = (b - r) / (max - min) + 2.0f;
    } else {
        h = (r - g) / (max - min) + 4.0f;
    }
    h = h * 60.0f;
    out[0] = h < 0 ? h + 360.0f : h;
    return true;
}

void RefColorFromHsb(float t[3]) {
    const float h = t[0], s = t[1], l = t[2];
    if (s == 0.0f) {
        t[0] = t[1] = t[2] = l * 255.0f;
        return;
    }
    const float m2 = l > 0.5f ? (l - s * l) + s : l + s * l;
    const float m1 = l > 0.5f ? (l + s * l) - s : l - s * l;
    const int i = (int)(h / 60.0f);
    const float H = h >= 300.0f ? (h - 360.0f) / 60.0f : h / 60.0f;
    const float u = floorf((float)((i + 1) % 6) * 0.5f) * -2.0f + H;
    const float c = i % 2 != 0 ? m1 - u * (m2 - m1) : (m2 - m1) * u + m1;
    const float rgb[6][3] = {{m2, c, m1}, {c, m2, m1}, {m1, m2, c},
                             {m1, c, m2}, {c, m1, m2}, {m2, m1, c}};
    const int sector = i >= 1 && i <= 5 ? i : 0;
    std::copy(rgb[sector], rgb[sector] + 3, t);
}

void RefIncreaseSaturation(Pic& p) {
    for (int i = 0; i < p.N(); ++i) {
        const uint32_t c = (uint32_t)p.f[2][i] << 16 | (uint32_t)p.f[0][i] |
                           (uint32_t)p.f[1][i] << 8 | 0xFF000000u;
        float t[3];
        if (!RefHue(c, t)) {
            continue;
        }
        t[1] = t[1] / 255.0f;
        t[2] = t[2] / 255.0f;
        RefColorFromHsb(t);
        p.f[0][i] = Cap((int)(t[0] * 255.0f));
        p.f[1][i] = Cap((int)(t[1] * 255.0f));
        p.f[2][i] = Cap((int)(255.0f * t[2]));
    }
}

void RefChangeSaturation(Pic& p, float k, float delta) {
    for (int i = 0; i < p.N(); ++i) {
        const int in[3] = {p.f[0][i], p.f[1][i], p.f[2][i]};
        int out[3];
        if (HsvTurn(in, k, delta, out)) {
            for (int c = 0; c < 3; ++c) {
                p.f[c][i] = out[c];
            }
        }
    }
}

void RefOldTime(Pic& p) {
    RefArtsy(p);
    RefVergilben(p);
    RefContrast(p, 0.75f);
    RefNoise(p);
    RefSoften(p);
}

// Four half-size copies of the posterized grey, one channel (or two) each.
void RefPopArtPoster(Pic& p) {
    RefDesaturize(p);
    RefPosterize(p);
    for (int y = 0; y < p.H; ++y) {
        for (int x = 0; x < p.W; ++x) {
            const int src = ((2 * y) % p.H) * p.W + ((2 * x) % p.W), i = y * p.W + x;
            const bool top = y < p.H / 2, left = x < p.W / 2;
            p.b[0][i] = top ? p.f[0][src] : 0;
            p.b[1][i] = !left ? p.f[1][src] : 0;
            p.b[2][i] = !top && left ? p.f[2][src] : 0;
        }
    }
    p.Swap();
}

void RefPhotomatOld(Pic& p) {
    RefDesaturize(p);
    RefContrast(p, 1.25f);
    RefFrame(p, 1);
}

void RefGaussBlur(Pic& p, int r) {
    RefBlurToBack(p, r);
    EachValue(p,
              [&](int c, int i) { p.f[c][i] = Cap((int)((float)(p.f[c][i] + p.b[c][i]) * 0.5f)); });
}

// A bright bar near the bottom with a round glow, blurred wide, added twice.
void RefNeonLight(Pic& p) {
    Pic light = p;
    const float cx = 0.5f * (float)p.W, cy = 0.92f * (float)p.H, rho = 0.5f * (float)p.H;
    const int xLo = (int)(0.1f * (float)p.W), xHi = (int)(0.9f * (float)p.W);
    const int yLo = (int)(0.9125f * (float)p.H), yHi = (int)cy;
    for (int y = 0; y < p.H; ++y) {
        for (int x = 0; x < p.W; ++x) {
            int v = xLo < x && x < xHi && yLo < y && y < yHi ? 255 : 0;
            const float d =
                sqrtf(((float)x - cx) * ((float)x - cx) + ((float)y - cy) * ((float)y - cy));
            v += 2 * (int)(std::max(0.0f, rho - d) / rho * 50.0f);
            for (int c = 0; c < 3; ++c) {
                light.F(c, x, y) = v;
            }
        }
    }
    RefBlurToBack(light, 45);
    EachValue(p, [&](int c, int i) { p.b[c][i] = 2 * light.b[c][i]; });
    AddBack(p);
}

std::vector<Case> FurtherCases() {
    std::vector<Case> cases = {
        {"IncreaseHotColors", Filters::IncreaseHotColors, RefHot},
        {"IncreaseColdColors", Filters::IncreaseColdColors, RefCold},
        {"IncreaseExposureX2", Filters::IncreaseExposureX2, RefExposureUp},
        {"DecreaseExposureX2", Filters::DecreaseExposureX2, RefExposureDown},
        {"Noise", Filters::Noise, RefNoise},
        {"Vergilben", Filters::Vergilben, RefVergilben},
        {"Blur", Filters::Blur, RefBlur},
        {"BlendWithColor", [](QuorelImage* i) { Filters::BlendWithColor(i, 1.3f, 0.7f, -0.4f); },
         [](Pic& p) {
             Scale(p, 0, 1.3f, Cap);
             Scale(p, 1, 0.7f, Cap);
             Scale(p, 2, -0.4f, Cap);
         }},
        {"RotateCW", Filters::RotateCW, RefRotateCW},
        {"RotateCCW", Filters::RotateCCW, RefRotateCCW},
        {"GlassButton", Filters::GlassButton, RefGlassButton},
        {"ReliefImage", Filters::ReliefImage, RefRelief},
        {"IncreaseSaturation", Filters::IncreaseSaturation, RefIncreaseSaturation},
        {"OldTimeFilter", Filters::OldTimeFilter, RefOldTime},
        {"PopArtPoster", Filters::PopArtPoster, RefPopArtPoster},
        {"Photomat_old", Filters::Photomat_old, RefPhotomatOld},
        {"TestFilter", Filters::TestFilter, RefCenterFocus},
        {"NeonLight", Filters::NeonLight, RefNeonLight},
    };
    // Radius 0 divides by -1; radii past the picture clamp every read.
    for (int r : {0, 1, 2, 3, 20, 40}) {
        const std::string radius = std::to_string(r);
        cases.push_back({"BlurToBackRadius" + radius,
                         [r](QuorelImage* i) { Filters::GaussBlurToBackBuffer(i, r); },
                         [r](Pic& p) { RefBlurToBack(p, r); }});
        cases.push_back({"GaussBlurRadius" + radius,
                         [r](QuorelImage* i) { Filters::GaussBlur(i, r); },
                         [r](Pic& p) { RefGaussBlur(p, r); }});
    }
    // Saturation raised, lowered, hue turned forwards many times and backwards.
    for (auto [name, k, d] : {std::tuple{"Raised", 1.7f, 47.5f},
                              {"TurnedManyTimes", 1.1f, 1000.5f},
                              {"LoweredTurnedBack", 0.6f, -400.25f}}) {
        cases.push_back({std::string("ChangeSaturation") + name,
                         [k, d](QuorelImage* i) { Filters::ChangeSaturation(i, k, d); },
                         [k, d](Pic& p) { RefChangeSaturation(p, k, d); }});
    }
    return cases;
}

} // namespace Reference
