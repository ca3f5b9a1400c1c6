// Plain reference computations of the filter formulas (see Reference.h).
#include "filters/Reference.h"

#include "filters/Filters.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <numeric>
#include <random>
#include <tuple>

namespace Reference {

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

constexpr auto Cap = [](int v) { return v > 255 ? 255 : v; };
constexpr auto CapFloor = [](int v) { return v > 255 ? 255 : (v > 0 ? v : 0); };
constexpr auto Keep = [](int v) { return v; };

// f(c, i) for every value i of the colour planes c = 0, 1, 2, plane by plane.
template <typename F> void EachValue(Pic& p, F f) {
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < p.N(); ++i) {
            f(c, i);
        }
    }
}

using Clip = int (*)(int);

// Each colour plane times its factor, clipped its way.
std::function<void(Pic&)> Scaled(std::array<float, 3> k, std::array<Clip, 3> clip) {
    return [k, clip](Pic& p) {
        EachValue(p, [&](int c, int i) { p.f[c][i] = clip[c]((int)((float)p.f[c][i] * k[c])); });
    };
}

bool HsvTurn(const int in[3], float k, float delta, int out[3]) {
    const int R = in[0], G = in[1], B = in[2];
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
    if (sp <= 0) {
        out[0] = out[1] = out[2] = CapFloor((int)(V / 100.0f * 255.0f));
        return true;
    }
    sp = std::min(sp, 100.0f);
    const float H6 = hp / 60.0f;
    const int sector = (int)floorf(H6);
    if (sector < 0 || sector > 5) {
        return false;
    }
    const float f = H6 - floorf(H6), n = sp / -100.0f, v = V / 100.0f;
    const float pp = (n + 1.0f) * v;
    const float q = (n * f + 1.0f) * v;
    const float t = ((1.0f - f) * n + 1.0f) * v;
    const float rgb[6][3] = {{v, t, pp}, {q, v, pp}, {pp, v, t},
                             {pp, q, v}, {t, pp, v}, {v, pp, q}};
    for (int c = 0; c < 3; ++c) {
        out[c] = CapFloor((int)(rgb[sector][c] * 255.0f));
    }
    return true;
}

int Luma(const Pic& p, int i) {
    return Cap(
        (int)((float)p.f[0][i] * 0.3f + (float)p.f[1][i] * 0.59f + (float)p.f[2][i] * 0.11f));
}

void RefDesaturize(Pic& p) {
    for (int i = 0; i < p.N(); ++i) {
        p.f[0][i] = p.f[1][i] = p.f[2][i] = Luma(p, i);
    }
}

void RefContrast(Pic& p, float factor) {
    EachValue(p, [&](int c, int i) {
        p.f[c][i] = CapFloor((int)(((float)p.f[c][i] - 127.5f) * factor + 127.5f));
    });
}

void RefPosterize(Pic& p) {
    EachValue(p, [&](int c, int i) { p.f[c][i] = (int)((float)p.f[c][i] * 0.01f) * 100; });
}

void RefArtsy(Pic& p) {
    RefDesaturize(p);
    RefContrast(p, 1.25f);
    RefContrast(p, 1.25f);
}

// 3 x 3 weighted sum of the interior into the back buffer, which first takes
// the picture, so the border keeps its own values; then the buffers swap.
void Convolve(Pic& p, const float (&w)[9]) {
    const int dx[9] = {-1, 0, 1, -1, 0, 1, 1, 0, -1};
    const int dy[9] = {-1, -1, -1, 0, 0, 0, 1, 1, 1};
    const float s = 1.0f / std::accumulate(std::begin(w), std::end(w), 0.0f);
    for (int c = 0; c < 4; ++c) {
        p.b[c] = p.f[c];
    }
    for (int c = 0; c < 3; ++c) {
        for (int y = 1; y < p.H - 1; ++y) {
            for (int x = 1; x < p.W - 1; ++x) {
                float sum = 0.0f;
                for (int t = 0; t < 9; ++t) {
                    sum += (float)p.F(c, x + dx[t], y + dy[t]) * (s * w[t]);
                }
                p.b[c][y * p.W + x] = CapFloor((int)sum);
            }
        }
    }
    p.Swap();
}

void RefSoften(Pic& p) {
    Convolve(p, {8, 8, 8, 8, 1, 8, 8, 8, 8});
}

// The box blur into the back buffer, each square summed afresh, edges clamped.
void RefBlurToBack(Pic& p, int r) {
    const float scale = 1.0f / (float)((2 * r + 1) * (2 * r + 1) - 2);
    for (int c = 0; c < 3; ++c) {
        for (int y = 0; y < p.H; ++y) {
            for (int x = 0; x < p.W; ++x) {
                int64_t sum = 0;
                for (int j = y - r; j <= y + r; ++j) {
                    for (int i = x - r; i <= x + r; ++i) {
                        sum += p.F(c, std::clamp(i, 0, p.W - 1), std::clamp(j, 0, p.H - 1));
                    }
                }
                p.b[c][y * p.W + x] = CapFloor((int)(scale * (float)sum));
            }
        }
    }
}

// f(c, i, m) for each colour value, m = 1 - (distance from the centre / half diagonal)^2.
template <typename F> void Radial(Pic& p, F f) {
    const float cx = (float)p.W * 0.5f, cy = (float)p.H * 0.5f;
    const float k = 1.0f / (cx * cx + cy * cy);
    for (int y = 0; y < p.H; ++y) {
        for (int x = 0; x < p.W; ++x) {
            const float dx = cx - (float)x, dy = cy - (float)y;
            for (int c = 0; c < 3; ++c) {
                f(c, y * p.W + x, 1.0f - (dx * dx + dy * dy) * k);
            }
        }
    }
}

void RefCenterFocus(Pic& p) {
    RefBlurToBack(p, 20);
    Radial(p, [&](int c, int i, float r) {
        const float m = powf(r, 4.0f);
        p.f[c][i] = (int)((float)p.f[c][i] * m + (float)p.b[c][i] * (1.0f - m));
    });
}

// Each quadrant shows the picture at half size, its hue turned by 270, 90,
// 135 or 180 degrees and its saturation raised by half.
void RefPopArt(Pic& p) {
    RefContrast(p, 1.25f);
    for (int y = 0; y < p.H; ++y) {
        for (int x = 0; x < p.W; ++x) {
            const int src = ((2 * y) % p.H) * p.W + ((2 * x) % p.W);
            const bool top = y < p.H / 2, left = x < p.W / 2;
            const float turn = top ? (left ? 270.0f : 90.0f) : (left ? 135.0f : 180.0f);
            const int in[3] = {p.f[0][src], p.f[1][src], p.f[2][src]};
            int out[3] = {in[0], in[1], in[2]};
            HsvTurn(in, 1.5f, turn, out);
            for (int c = 0; c < 3; ++c) {
                p.b[c][y * p.W + x] = out[c];
            }
        }
    }
    p.Swap();
}

void RefToyCam(Pic& p) {
    Radial(p, [&](int c, int i, float m) { p.f[c][i] = (int)((float)p.f[c][i] * m); });
    RefSoften(p);
}

void RefFilmStrip(Pic& p) {
    RefContrast(p, 0.75f);
    RefToyCam(p);
    const float m = (float)((p.W + p.H) / 2);
    const int t = (int)(m * 0.025f), s = (int)(m * 0.1f);
    const int L = (int)((float)s * 0.6f), o = (int)((float)s * 0.2f);
    const int W = p.W, N = p.N();
    bool holes = true;
    for (int i = 0, x = 0, rows = 0; i < N; ++i) {
        for (int c = 0; c < 3; ++c) {
            int32_t& v = p.f[c][i];
            if (x < s || x > W - s || i < t * W || i > N - t * W) {
                v = 0;
            } else if (x < s + 2 || x > W - s - 2 || i < (t + 2) * W || i > N - (t + 2) * W) {
                v = v / 2;
            }
            if (holes && ((o < x && x < o + L) || (W - o - L - 1 < x && x < W - o - 1))) {
                v = 255;
            } else if (holes && (x == o || x == o + L || x == W - o - L - 1 || x == W - o - 1)) {
                v = 200;
            }
        }
        if (++x == W) {
            x = 0;
            if (++rows == L) {
                holes = !holes;
                rows = 0;
            }
        }
    }
}

void RefFrame(Pic& p, int bottomBands) {
    const int b = (int)((float)((p.W + p.H) / 2) * 0.05f);
    for (int i = 0; i < p.N(); ++i) {
        const int x = i % p.W;
        if (x < b || x > p.W - b || i < p.W * b || i > p.N() - bottomBands * p.W * b) {
            p.f[0][i] = p.f[1][i] = p.f[2][i] = 255;
        }
    }
}

// The literal passes; pictures narrower than 16 are the filter fuzzer's.
void RefPhotomat(Pic& p) {
    RefDesaturize(p);
    RefContrast(p, 1.25f);
    RefFrame(p, 1);
    const int W = p.W, H = p.H, qw = W / 4, qh = H / 4;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const int src = y < qh ? ((4 * y) % H) * W + (4 * x) % W : (y - qh) * W + x;
            for (int c = 0; c < 3; ++c) {
                p.F(c, x, y) = x <= qw ? p.f[c][src] : 0;
            }
        }
    }
    const int sh = (int)((float)qw * 1.5f);
    for (int y = 0; y < H; ++y) {
        for (int k = 0; k <= qw + 1; ++k) {
            for (int c = 0; c < 3; ++c) {
                p.F(c, sh + k, y) = p.F(c, k, y);
                p.F(c, k, y) = 0;
            }
        }
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
        p.f[2][i] = (int)((float)Luma(p, i) * 0.65f);
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

static std::vector<Case> LookCases() {
    const auto look = [](const char* name, void (*library)(QuorelImage*),
                         std::function<void(Pic&)> reference, int minWidth = 0) {
        return Case{name, library, std::move(reference), true, minWidth};
    };
    return {
        look("Desaturize", Filters::Desaturize, RefDesaturize),
        look("IncreaseContrast", Filters::IncreaseContrast, [](Pic& p) { RefContrast(p, 1.25f); }),
        look("DecreaseContrast", Filters::DecreaseContrast, [](Pic& p) { RefContrast(p, 0.75f); }),
        look("Sepia", Filters::Sepia, Scaled({1.1f, 0.95f, 0.65f}, {Cap, Keep, Keep})),
        look("Posterize", Filters::Posterize, RefPosterize),
        look(
            "Colorize",
            [](QuorelImage* i) { Filters::Colorize(i, QColor::fromRgbF(0.9f, 0.45f, 0.2f)); },
            [](Pic& p) {
                RefDesaturize(p);
                Scaled({0.9f, 0.45f, 0.2f}, {CapFloor, CapFloor, CapFloor})(p);
            }),
        look("ArtsyFilter", Filters::ArtsyFilter, RefArtsy),
        look("Soften", Filters::Soften, RefSoften),
        look("Sharpen", Filters::Sharpen,
             [](Pic& p) {
                 Convolve(p, {0, -1, 0, -1, 5, -1, 0, -1, 0});
             }),
        look("CenterFocus", Filters::CenterFocus, RefCenterFocus),
        look("PopArtPoster2", Filters::PopArtPoster2, RefPopArt),
        look("ToyCam", Filters::ToyCam, RefToyCam),
        look("FilmStripFilter", Filters::FilmStripFilter, RefFilmStrip),
        look("ClassicFrame", Filters::ClassicFrame, [](Pic& p) { RefFrame(p, 1); }),
        look("PolaroidFilter", Filters::PolaroidFilter, [](Pic& p) { RefFrame(p, 4); }),
        look("Photomat", Filters::Photomat, RefPhotomat, 16),
    };
}

std::vector<Case> AllCases() {
    std::vector<Case> cases = LookCases();
    std::vector<Case> further = {
        {"IncreaseHotColors", Filters::IncreaseHotColors,
         Scaled({1.25f, 1.0f, 0.75f}, {Cap, Keep, Keep})},
        {"IncreaseColdColors", Filters::IncreaseColdColors,
         Scaled({0.75f, 1.0f, 1.25f}, {Keep, Keep, Cap})},
        {"IncreaseExposureX2", Filters::IncreaseExposureX2,
         [](Pic& p) { EachValue(p, [&](int c, int i) { p.f[c][i] = Cap(2 * p.f[c][i]); }); }},
        {"DecreaseExposureX2", Filters::DecreaseExposureX2,
         [](Pic& p) {
             EachValue(p, [&](int c, int i) { p.f[c][i] = (int)((float)p.f[c][i] * 0.5f); });
         }},
        {"Noise", Filters::Noise, RefNoise},
        {"Vergilben", Filters::Vergilben, RefVergilben},
        {"Blur", Filters::Blur, RefBlur},
        {"BlendWithColor", [](QuorelImage* i) { Filters::BlendWithColor(i, 1.3f, 0.7f, -0.4f); },
         Scaled({1.3f, 0.7f, -0.4f}, {Cap, Cap, Cap})},
        {"RotateCW", Filters::RotateCW, RefRotateCW},
        {"RotateCCW", Filters::RotateCCW, RefRotateCCW},
        {"GlassButton", Filters::GlassButton, RefGlassButton},
        {"ReliefImage", Filters::ReliefImage, RefRelief},
        {"IncreaseSaturation", Filters::IncreaseSaturation, RefIncreaseSaturation},
        {"OldTimeFilter", Filters::OldTimeFilter, RefOldTime},
        {"PopArtPoster", Filters::PopArtPoster, RefPopArtPoster},
        {"Photomat_old", Filters::Photomat_old,
         [](Pic& p) {
             RefDesaturize(p);
             RefContrast(p, 1.25f);
             RefFrame(p, 1);
         }},
        {"TestFilter", Filters::TestFilter, RefCenterFocus},
        {"NeonLight", Filters::NeonLight, RefNeonLight},
    };
    std::move(further.begin(), further.end(), std::back_inserter(cases));
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
