// Plain reference computations of the further tone, spatial and colour-model
// formulas, each written the straightforward way (no running sums, no tables),
// compared pixel for pixel with the library on random pictures.
#include "effects/zmathe.h"
#include "filters/Filters.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

// Front and back planes of a pixel image, by value.
struct Pic {
    int W = 0;
    int H = 0;
    std::vector<int32_t> f[4]; // red, green, blue, alpha
    std::vector<int32_t> b[4];

    int N() const { return W * H; }
    void Swap() {
        for (int c = 0; c < 4; ++c) {
            std::swap(f[c], b[c]);
        }
    }
};

Pic Snapshot(QuorelImage& image) {
    Pic p;
    p.W = image.Width();
    p.H = image.Height();
    int32_t* front[4] = {image.Red(), image.Green(), image.Blue(), image.Alpha()};
    int32_t* back[4] = {image.Red_Backbuffer(), image.Green_Backbuffer(), image.Blue_Backbuffer(),
                        image.Alpha_Backbuffer()};
    for (int c = 0; c < 4; ++c) {
        p.f[c].assign(front[c], front[c] + image.PixelCount());
        p.b[c].assign(back[c], back[c] + image.PixelCount());
    }
    return p;
}

void ExpectSame(QuorelImage& image, const Pic& want, const char* what) {
    const Pic got = Snapshot(image);
    ASSERT_EQ(got.W, want.W) << what;
    ASSERT_EQ(got.H, want.H) << what;
    static const char* names[4] = {"red", "green", "blue", "alpha"};
    for (int c = 0; c < 4; ++c) {
        for (int i = 0; i < want.N(); ++i) {
            ASSERT_EQ(got.f[c][i], want.f[c][i]) << what << " front " << names[c] << " at " << i;
            ASSERT_EQ(got.b[c][i], want.b[c][i]) << what << " back " << names[c] << " at " << i;
        }
    }
}

int Cap(int v) {
    return v > 255 ? 255 : v;
}

// --- Part of the tone filters ---------------------------------------------------------

void RefHot(Pic& p) {
    for (int i = 0; i < p.N(); ++i) {
        p.f[0][i] = Cap((int)((float)p.f[0][i] * 1.25f));
        p.f[2][i] = (int)((float)p.f[2][i] * 0.75f);
    }
}

void RefCold(Pic& p) {
    for (int i = 0; i < p.N(); ++i) {
        p.f[0][i] = (int)((float)p.f[0][i] * 0.75f);
        p.f[2][i] = Cap((int)((float)p.f[2][i] * 1.25f));
    }
}

void RefExposureUp(Pic& p) {
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < p.N(); ++i) {
            p.f[c][i] = Cap(2 * p.f[c][i]);
        }
    }
}

void RefExposureDown(Pic& p) {
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < p.N(); ++i) {
            p.f[c][i] = (int)((float)p.f[c][i] * 0.5f);
        }
    }
}

void RefNoise(Pic& p) {
    std::mt19937 generator(0);
    for (int i = 0; i < p.N(); ++i) {
        const unsigned r = generator() % 1500u;
        const float f = (float)r / 10000.0f + 0.85f;
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

// --- spatial filters ----------------------------------------------------------------------

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
                        sum += p.f[c][(y + dy) * W + (x + dx)];
                    }
                }
                p.b[c][i] = (int)((float)sum * 0.0030864198f);
            }
        }
    }
    p.Swap();
}

void RefBlendWithColor(Pic& p, float r, float g, float b) {
    const float factor[3] = {r, g, b};
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < p.N(); ++i) {
            p.f[c][i] = Cap((int)((float)p.f[c][i] * factor[c]));
        }
    }
}

void RefRotateCW(Pic& p) {
    for (int c = 0; c < 3; ++c) {
        for (int y = 0; y < p.H; ++y) {
            for (int x = 0; x < p.W; ++x) {
                p.b[c][x * p.H + y] = p.f[c][y * p.W + x];
            }
        }
    }
    p.Swap();
    std::swap(p.W, p.H);
}

void RefRotateCCW(Pic& p) {
    // New column y, new row W - 1 - x, in a picture H wide.
    for (int c = 0; c < 4; ++c) {
        for (int y = 0; y < p.H; ++y) {
            for (int x = 0; x < p.W; ++x) {
                p.b[c][(p.W - 1 - x) * p.H + y] = p.f[c][y * p.W + x];
            }
        }
    }
    p.Swap();
    std::swap(p.W, p.H);
}

void RefAddBack(Pic& p) {
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < p.N(); ++i) {
            p.f[c][i] = Cap(p.f[c][i] + p.b[c][i]);
        }
    }
}

void RefGlassButton(Pic& p) {
    const float R = 0.75f * (float)p.H;
    const float cx = 0.5f * (float)p.W;
    for (int y = 0; y < p.H; ++y) {
        for (int x = 0; x < p.W; ++x) {
            const float ax = (float)x - cx;
            const float ay = (float)y + 0.25f * (float)p.H;
            const float d1 = sqrtf(ax * ax + ay * ay);
            int v = 0;
            if (d1 <= R) {
                const float t = R - d1;
                const float h = 150.0f - ((R - t) / R) * 150.0f;
                v = h <= 50.0f ? (int)h : 0;
            }
            const float by = (float)y - (float)p.H;
            const float d2 = sqrtf(ax * ax + by * by);
            v += (int)(std::max(0.0f, R - d2) / R * 50.0f);
            for (int c = 0; c < 3; ++c) {
                p.b[c][y * p.W + x] = v;
            }
        }
    }
    RefAddBack(p);
}

void RefRelief(Pic& p) {
    for (int y = 1; y < p.H; ++y) {
        for (int x = 1; x < p.W; ++x) {
            const int i = y * p.W + x;
            const int v = Cap(std::abs(p.f[0][i] - p.f[0][i - 1]));
            for (int c = 0; c < 3; ++c) {
                p.b[c][i] = v;
                p.f[c][i] = v;
            }
        }
    }
}

// --- colour model ---------------------------------------------------------------------------

// Hue (degrees), saturation 0..255, brightness = largest channel; false for greys.
bool RefHue(uint32_t colour, float out[3]) {
    const float r = (float)(colour & 255), g = (float)((colour >> 8) & 255),
                b = (float)((colour >> 16) & 255);
    const float max = std::max({r, g, b}), min = std::min({r, g, b});
    out[2] = max;
    out[1] = max > 0 ? (max - min) * 255.0f / max : 0.0f;
    if (max == min) {
        out[0] = 0;
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
    if (h < 0) {
        h = h + 360.0f;
    }
    out[0] = h;
    return true;
}

void RefColorFromHsb(float t[3]) {
    const float h = t[0], s = t[1], l = t[2];
    if (s == 0.0f) {
        t[0] = t[1] = t[2] = l * 255.0f;
        return;
    }
    float m1, m2;
    if (l > 0.5f) {
        m2 = (l - s * l) + s;
        m1 = (l + s * l) - s;
    } else {
        m2 = l + s * l;
        m1 = l - s * l;
    }
    const int i = (int)(h / 60.0f);
    const float H = h >= 300.0f ? (h - 360.0f) / 60.0f : h / 60.0f;
    const float u = floorf((float)((i + 1) % 6) * 0.5f) * -2.0f + H;
    const float c = i % 2 != 0 ? m1 - u * (m2 - m1) : (m2 - m1) * u + m1;
    float r, g, b;
    if (i == 1) {
        r = c, g = m2, b = m1;
    } else if (i == 2) {
        r = m1, g = m2, b = c;
    } else if (i == 3) {
        r = m1, g = c, b = m2;
    } else if (i == 4) {
        r = c, g = m1, b = m2;
    } else if (i == 5) {
        r = m2, g = m1, b = c;
    } else {
        r = m2, g = c, b = m1;
    }
    t[0] = r, t[1] = g, t[2] = b;
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

int CapFloor(int v) {
    return v > 255 ? 255 : (v > 0 ? v : 0);
}

void RefChangeSaturation(Pic& p, float k, float delta) {
    for (int i = 0; i < p.N(); ++i) {
        const int R = p.f[0][i], G = p.f[1][i], B = p.f[2][i];
        const int max = std::max({R, G, B}), min = std::min({R, G, B});
        float h = 0;
        if (max != min) {
            if (max == R) {
                h = (float)(G - B) / (float)(max - min) * 60.0f;
            } else if (max == G) {
                h = ((float)(B - R) / (float)(max - min) + 2.0f) * 60.0f;
            } else {
                h = ((float)(R - G) / (float)(max - min) + 4.0f) * 60.0f;
            }
        }
        const float S = max != 0 ? (float)(max - min) / (float)max * 100.0f : 0.0f;
        const float V = max != 0 ? ((float)max / 255.0f) * 100.0f : 0.0f;
        float hp = (float)fmod((double)(h + delta), 360.0);
        if (hp < 0) {
            hp = hp + 360.0f;
        }
        float sp = k * S;
        if (sp < 0 || sp == 0) {
            p.f[0][i] = p.f[1][i] = p.f[2][i] = CapFloor((int)(V / 100.0f * 255.0f));
            continue;
        }
        if (sp > 100) {
            sp = 100;
        }
        const float H6 = hp / 60.0f;
        const int sector = (int)floorf(H6);
        const float f = H6 - floorf(H6);
        const float n = sp / -100.0f;
        const float v = V / 100.0f;
        const float pp = (n + 1.0f) * v;
        const float q = (n * f + 1.0f) * v;
        const float t = ((1.0f - f) * n + 1.0f) * v;
        float rgb[3];
        switch (sector) {
        case 0:
            rgb[0] = v, rgb[1] = t, rgb[2] = pp;
            break;
        case 1:
            rgb[0] = q, rgb[1] = v, rgb[2] = pp;
            break;
        case 2:
            rgb[0] = pp, rgb[1] = v, rgb[2] = t;
            break;
        case 3:
            rgb[0] = pp, rgb[1] = q, rgb[2] = v;
            break;
        case 4:
            rgb[0] = t, rgb[1] = pp, rgb[2] = v;
            break;
        case 5:
            rgb[0] = v, rgb[1] = pp, rgb[2] = q;
            break;
        default:
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            p.f[c][i] = CapFloor((int)(rgb[c] * 255.0f));
        }
    }
}

// --- the looks the composite filters are built from ------------------------------------

int CapFloor(int v);

void RefDesaturize(Pic& p) {
    for (int i = 0; i < p.N(); ++i) {
        const int y = Cap(
            (int)((float)p.f[0][i] * 0.3f + (float)p.f[1][i] * 0.59f + (float)p.f[2][i] * 0.11f));
        p.f[0][i] = p.f[1][i] = p.f[2][i] = y;
    }
}

void RefContrast(Pic& p, float factor) {
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < p.N(); ++i) {
            p.f[c][i] = CapFloor((int)(((float)p.f[c][i] - 127.5f) * factor + 127.5f));
        }
    }
}

void RefPosterize(Pic& p) {
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < p.N(); ++i) {
            p.f[c][i] = (int)((float)p.f[c][i] * 0.01f) * 100;
        }
    }
}

void RefArtsy(Pic& p) {
    RefDesaturize(p);
    RefContrast(p, 1.25f);
    RefContrast(p, 1.25f);
}

// 3 x 3 weighted mean of the interior; the border keeps the picture's values.
void RefSoften(Pic& p) {
    const int dx[9] = {-1, 0, 1, -1, 0, 1, 1, 0, -1};
    const int dy[9] = {-1, -1, -1, 0, 0, 0, 1, 1, 1};
    const float s = 1.0f / 65.0f;
    for (int c = 0; c < 4; ++c) {
        p.b[c] = p.f[c];
    }
    for (int c = 0; c < 3; ++c) {
        for (int y = 1; y < p.H - 1; ++y) {
            for (int x = 1; x < p.W - 1; ++x) {
                float sum = 0.0f;
                for (int t = 0; t < 9; ++t) {
                    const float w = s * (t == 4 ? 1.0f : 8.0f);
                    sum += (float)p.f[c][(y + dy[t]) * p.W + x + dx[t]] * w;
                }
                p.b[c][y * p.W + x] = CapFloor((int)sum);
            }
        }
    }
    p.Swap();
}

void RefClassicFrame(Pic& p) {
    const int b = (int)((float)((p.W + p.H) / 2) * 0.05f);
    const int N = p.N();
    for (int i = 0; i < N; ++i) {
        const int x = i % p.W;
        if (x < b || x > p.W - b || i < p.W * b || i > N - p.W * b) {
            p.f[0][i] = p.f[1][i] = p.f[2][i] = 255;
        }
    }
}

// The box blur into the back buffer, each square summed afresh.
void RefBlurToBack(Pic& p, int r) {
    const float scale = 1.0f / (float)((2 * r + 1) * (2 * r + 1) - 2);
    for (int c = 0; c < 3; ++c) {
        for (int y = 0; y < p.H; ++y) {
            for (int x = 0; x < p.W; ++x) {
                int sum = 0;
                for (int j = y - r; j <= y + r; ++j) {
                    for (int i = x - r; i <= x + r; ++i) {
                        const int cj = std::clamp(j, 0, p.H - 1), ci = std::clamp(i, 0, p.W - 1);
                        sum += p.f[c][cj * p.W + ci];
                    }
                }
                p.b[c][y * p.W + x] = CapFloor((int)(scale * (float)sum));
            }
        }
    }
}

void RefCenterFocus(Pic& p) {
    RefBlurToBack(p, 20);
    const float cx = (float)p.W * 0.5f, cy = (float)p.H * 0.5f;
    const float k = 1.0f / (cx * cx + cy * cy);
    for (int y = 0; y < p.H; ++y) {
        for (int x = 0; x < p.W; ++x) {
            const float dx = cx - (float)x, dy = cy - (float)y;
            const float m = powf(1.0f - (dx * dx + dy * dy) * k, 4.0f);
            for (int c = 0; c < 3; ++c) {
                const int i = y * p.W + x;
                p.f[c][i] = (int)((float)p.f[c][i] * m + (float)p.b[c][i] * (1.0f - m));
            }
        }
    }
}

// --- composite filters -----------------------------------------------------------------------

void RefOldTime(Pic& p) {
    RefArtsy(p);
    RefVergilben(p);
    RefContrast(p, 0.75f);
    RefNoise(p);
    RefSoften(p);
}

void RefPopArtPoster(Pic& p) {
    RefDesaturize(p);
    RefPosterize(p);
    for (int y = 0; y < p.H; ++y) {
        for (int x = 0; x < p.W; ++x) {
            const int src = ((2 * y) % p.H) * p.W + ((2 * x) % p.W);
            const int i = y * p.W + x;
            const bool top = y < p.H / 2, left = x < p.W / 2;
            p.b[0][i] = top ? p.f[0][src] : 0;
            p.b[1][i] = (top && !left) || (!top && !left) ? p.f[1][src] : 0;
            p.b[2][i] = !top && left ? p.f[2][src] : 0;
        }
    }
    p.Swap();
}

void RefPhotomatOld(Pic& p) {
    RefDesaturize(p);
    RefContrast(p, 1.25f);
    RefClassicFrame(p);
}

void RefGaussBlur(Pic& p, int r) {
    RefBlurToBack(p, r);
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < p.N(); ++i) {
            p.f[c][i] = Cap((int)((float)(p.f[c][i] + p.b[c][i]) * 0.5f));
        }
    }
}

void RefNeonLight(Pic& p) {
    Pic light;
    light.W = p.W;
    light.H = p.H;
    for (int c = 0; c < 3; ++c) {
        light.f[c].assign(p.N(), 0);
        light.b[c].assign(p.N(), 0);
    }
    const float cx = 0.5f * (float)p.W, cy = 0.92f * (float)p.H, rho = 0.5f * (float)p.H;
    const int xLo = (int)(0.1f * (float)p.W), xHi = (int)(0.9f * (float)p.W);
    const int yLo = (int)(0.9125f * (float)p.H), yHi = (int)cy;
    for (int y = 0; y < p.H; ++y) {
        for (int x = 0; x < p.W; ++x) {
            int v = 0;
            if (xLo < x && x < xHi && yLo < y && y < yHi) {
                v = 255;
            }
            const float d =
                sqrtf(((float)x - cx) * ((float)x - cx) + ((float)y - cy) * ((float)y - cy));
            v += 2 * (int)(std::max(0.0f, rho - d) / rho * 50.0f);
            for (int c = 0; c < 3; ++c) {
                light.f[c][y * p.W + x] = v;
            }
        }
    }
    RefBlurToBack(light, 45);
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < p.N(); ++i) {
            p.b[c][i] = 2 * light.b[c][i];
        }
    }
    RefAddBack(p);
}

struct Case {
    const char* name;
    std::function<void(QuorelImage*)> library;
    std::function<void(Pic&)> reference;
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"IncreaseHotColors", Filters::IncreaseHotColors, RefHot},
        {"IncreaseColdColors", Filters::IncreaseColdColors, RefCold},
        {"IncreaseExposureX2", Filters::IncreaseExposureX2, RefExposureUp},
        {"DecreaseExposureX2", Filters::DecreaseExposureX2, RefExposureDown},
        {"Noise", Filters::Noise, RefNoise},
        {"Vergilben", Filters::Vergilben, RefVergilben},
        {"Blur", Filters::Blur, RefBlur},
        {"BlendWithColor", [](QuorelImage* i) { Filters::BlendWithColor(i, 1.3f, 0.7f, -0.4f); },
         [](Pic& p) { RefBlendWithColor(p, 1.3f, 0.7f, -0.4f); }},
        {"RotateCW", Filters::RotateCW, RefRotateCW},
        {"RotateCCW", Filters::RotateCCW, RefRotateCCW},
        {"GlassButton", Filters::GlassButton, RefGlassButton},
        {"ReliefImage", Filters::ReliefImage, RefRelief},
        {"IncreaseSaturation", Filters::IncreaseSaturation, RefIncreaseSaturation},
        {"ChangeSaturation", [](QuorelImage* i) { Filters::ChangeSaturation(i, 1.7f, 47.5f); },
         [](Pic& p) { RefChangeSaturation(p, 1.7f, 47.5f); }},
        {"OldTimeFilter", Filters::OldTimeFilter, RefOldTime},
        {"PopArtPoster", Filters::PopArtPoster, RefPopArtPoster},
        {"Photomat_old", Filters::Photomat_old, RefPhotomatOld},
        {"TestFilter", Filters::TestFilter, RefCenterFocus},
        {"GaussBlur", [](QuorelImage* i) { Filters::GaussBlur(i, 3); },
         [](Pic& p) { RefGaussBlur(p, 3); }},
        {"GaussBlurRadius0", [](QuorelImage* i) { Filters::GaussBlur(i, 0); },
         [](Pic& p) { RefGaussBlur(p, 0); }},
        {"NeonLight", Filters::NeonLight, RefNeonLight},
        {"ChangeSaturationManyTurns",
         [](QuorelImage* i) { Filters::ChangeSaturation(i, 1.1f, 1000.5f); },
         [](Pic& p) { RefChangeSaturation(p, 1.1f, 1000.5f); }},
        {"ChangeSaturationBackwards",
         [](QuorelImage* i) { Filters::ChangeSaturation(i, 0.6f, -400.25f); },
         [](Pic& p) { RefChangeSaturation(p, 0.6f, -400.25f); }},
    };
    return cases;
}

} // namespace

TEST(EffectsReference, FiltersAgreeWithPlainComputationOnRandomPictures) {
    const std::pair<int, int> sizes[] = {{64, 48}, {37, 53}, {1, 40}, {40, 1}, {18, 35}, {3, 2}};
    uint32_t seed = 100;
    for (const Case& c : Cases()) {
        for (auto [w, h] : sizes) {
            auto image = TestPictures::RandomImage(w, h, ++seed);
            Pic want = Snapshot(*image);
            c.reference(want);
            c.library(image.get());
            ExpectSame(*image, want, c.name);
        }
    }
}

TEST(EffectsReference, ColourConversionsAgreeBitForBit) {
    std::mt19937 random(5);
    for (int k = 0; k < 100000; ++k) {
        const uint32_t colour = random();
        zvektor got;
        float want[3];
        ASSERT_EQ(ImageTools::Hue(colour, got), RefHue(colour, want));
        ASSERT_EQ(got.x, want[0]);
        ASSERT_EQ(got.y, want[1]);
        ASSERT_EQ(got.z, want[2]);
    }
    std::uniform_real_distribution<float> hue(-30.0f, 420.0f);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int k = 0; k < 100000; ++k) {
        float want[3] = {hue(random), unit(random), unit(random)};
        if (k % 10 == 0) {
            want[1] = 0.0f;
        }
        zvektor got(want[0], want[1], want[2]);
        RefColorFromHsb(want);
        ImageTools::ColorFromHsb(got);
        ASSERT_EQ(got.x, want[0]) << k;
        ASSERT_EQ(got.y, want[1]) << k;
        ASSERT_EQ(got.z, want[2]) << k;
    }
}

// Every operation on every size from nothing to 600 x 600 and on plane values
// anywhere in int32: run under the sanitizers, nothing may overflow or stray.
TEST(EffectsReference, AnyPlaneValuesAndSizesAreSafe) {
    const std::pair<int, int> sizes[] = {{0, 0},   {0, 7},     {7, 0},    {1, 1},
                                         {1, 600}, {600, 1},   {2, 3},    {17, 35},
                                         {18, 35}, {600, 400}, {600, 600}};
    uint32_t seed = 900;
    for (const Case& c : Cases()) {
        for (auto [w, h] : sizes) {
            for (auto [lo, hi] : {std::pair{INT32_MIN, INT32_MAX}, {0, 255}}) {
                auto image = TestPictures::RandomImage(w, h, ++seed, lo, hi);
                c.library(image.get());
                const int64_t n = int64_t(image->Width()) * image->Height();
                EXPECT_EQ(n, image->PixelCount()) << c.name;
            }
        }
    }
}
