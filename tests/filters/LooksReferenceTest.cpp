#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <QColor>
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

// Every look against a plain, per-pixel implementation of its formulas written
// here without any of the library's shortcuts (no fused passes, no running sums,
// no symmetry, the literal remainder and branches), on random pictures of many
// shapes. Pixel values 0..255, as the pipeline gives them.

namespace {

// The three colour planes of a picture, copied out of a pixel image.
struct Planes {
    int w = 0;
    int h = 0;
    std::vector<int32_t> c[3];

    int32_t& At(int ch, int x, int y) { return c[ch][size_t(y) * w + x]; }
    int32_t Clamped(int ch, int x, int y) const {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        return c[ch][size_t(y) * w + x];
    }
};

Planes Front(QuorelImage& image) {
    Planes p;
    p.w = image.Width();
    p.h = image.Height();
    const int32_t* planes[3] = {image.Red(), image.Green(), image.Blue()};
    for (int ch = 0; ch < 3; ++ch) {
        p.c[ch].assign(planes[ch], planes[ch] + image.PixelCount());
    }
    return p;
}

int32_t Cap(int32_t v) {
    return v >= 256 ? 255 : v;
}
int32_t Floor(int32_t v) {
    return v < 0 ? 0 : v;
}

// --- tone ---------------------------------------------------------------------------

void RefDesaturize(Planes& p) {
    for (size_t i = 0; i < p.c[0].size(); ++i) {
        float y = float(p.c[0][i]) * 0.3f + float(p.c[1][i]) * 0.59f;
        y = y + float(p.c[2][i]) * 0.11f;
        const int32_t v = Cap(int32_t(y));
        p.c[0][i] = p.c[1][i] = p.c[2][i] = v;
    }
}

void RefContrast(Planes& p, float factor) {
    for (auto& plane : p.c) {
        for (int32_t& v : plane) {
            v = Floor(Cap(int32_t((float(v) - 127.5f) * factor + 127.5f)));
        }
    }
}

void RefIncreaseContrast(Planes& p) {
    RefContrast(p, 1.25f);
}
void RefDecreaseContrast(Planes& p) {
    RefContrast(p, 0.75f);
}

void RefSepia(Planes& p) {
    for (size_t i = 0; i < p.c[0].size(); ++i) {
        p.c[0][i] = Cap(int32_t(float(p.c[0][i]) * 1.1f));
        p.c[1][i] = int32_t(float(p.c[1][i]) * 0.95f);
        p.c[2][i] = int32_t(float(p.c[2][i]) * 0.65f);
    }
}

void RefPosterize(Planes& p) {
    for (auto& plane : p.c) {
        for (int32_t& v : plane) {
            v = int32_t(float(v) * 0.01f) * 100;
        }
    }
}

void RefColorize(Planes& p, const QColor& colour) {
    RefDesaturize(p);
    const float k[3] = {float(colour.redF()), float(colour.greenF()), float(colour.blueF())};
    for (int ch = 0; ch < 3; ++ch) {
        for (int32_t& v : p.c[ch]) {
            v = Floor(Cap(int32_t(float(v) * k[ch])));
        }
    }
}

void RefArtsy(Planes& p) {
    RefDesaturize(p);
    RefIncreaseContrast(p);
    RefIncreaseContrast(p);
}

// --- neighbourhood --------------------------------------------------------------------

struct RefTap {
    int dx, dy;
    float soften, sharpen;
};
const RefTap kRefTaps[9] = {{-1, -1, 8, 0}, {0, -1, 8, -1}, {1, -1, 8, 0},
                            {-1, 0, 8, -1}, {0, 0, 1, 5},   {1, 0, 8, -1},
                            {1, 1, 8, 0},   {0, 1, 8, -1},  {-1, 1, 8, 0}};

void RefConvolve(Planes& p, bool soften) {
    float sum = 0;
    for (const RefTap& t : kRefTaps) {
        sum += soften ? t.soften : t.sharpen;
    }
    const float s = 1.0f / sum;
    Planes out = p; // the border keeps the picture's own values
    for (int ch = 0; ch < 3; ++ch) {
        for (int y = 1; y < p.h - 1; ++y) {
            for (int x = 1; x < p.w - 1; ++x) {
                float acc = 0.0f;
                for (const RefTap& t : kRefTaps) {
                    acc +=
                        float(p.At(ch, x + t.dx, y + t.dy)) * (s * (soften ? t.soften : t.sharpen));
                }
                out.At(ch, x, y) = Floor(Cap(int32_t(acc)));
            }
        }
    }
    p = out;
}

void RefSoften(Planes& p) {
    RefConvolve(p, true);
}
void RefSharpen(Planes& p) {
    RefConvolve(p, false);
}

Planes RefBoxBlur(const Planes& p, int r) {
    Planes out = p;
    const float scale = 1.0f / float((2 * r + 1) * (2 * r + 1) - 2);
    for (int ch = 0; ch < 3; ++ch) {
        for (int y = 0; y < p.h; ++y) {
            for (int x = 0; x < p.w; ++x) {
                int64_t sum = 0;
                for (int j = -r; j <= r; ++j) {
                    for (int i = -r; i <= r; ++i) {
                        sum += p.Clamped(ch, x + i, y + j);
                    }
                }
                int32_t v = int32_t(scale * float(sum));
                v = std::min(v, 255);
                out.At(ch, x, y) = std::max(v, 0);
            }
        }
    }
    return out;
}

void RefCenterFocus(Planes& p) {
    const Planes back = RefBoxBlur(p, 20);
    const float cx = float(p.w) * 0.5f;
    const float cy = float(p.h) * 0.5f;
    const float k = 1.0f / (cx * cx + cy * cy);
    for (int y = 0; y < p.h; ++y) {
        for (int x = 0; x < p.w; ++x) {
            const float dx = cx - float(x);
            const float dy = cy - float(y);
            const float m = std::pow(1.0f - (dx * dx + dy * dy) * k, 4.0f);
            for (int ch = 0; ch < 3; ++ch) {
                const float b = float(back.c[ch][size_t(y) * p.w + x]);
                p.At(ch, x, y) = int32_t(float(p.At(ch, x, y)) * m + b * (1.0f - m));
            }
        }
    }
}

// --- poster and toy camera ---------------------------------------------------------------

int32_t Clamp255(float value) {
    const int32_t v = int32_t(value * 255.0f);
    return v > 255 ? 255 : (v <= 0 ? 0 : v);
}

void RefPopArt(Planes& p) {
    RefIncreaseContrast(p);
    Planes out = p;
    const int hw = p.w / 2;
    const int hh = p.h / 2;
    for (int y = 0; y < p.h; ++y) {
        for (int x = 0; x < p.w; ++x) {
            const size_t src = size_t((2 * y) % p.h) * p.w + size_t((2 * x) % p.w);
            float turn;
            if (y < hh) {
                turn = x < hw ? 270.0f : 90.0f;
            } else {
                turn = x < hw ? 135.0f : 180.0f;
            }
            const int r = p.c[0][src], g = p.c[1][src], b = p.c[2][src];
            const int mx = std::max({r, g, b});
            const int mn = std::min({r, g, b});
            float h = 0.0f;
            if (mx != mn) {
                if (mx == r) {
                    h = (float(g - b) / float(mx - mn)) * 60.0f;
                } else if (mx == g) {
                    h = (float(b - r) / float(mx - mn) + 2.0f) * 60.0f;
                } else {
                    h = (float(r - g) / float(mx - mn) + 4.0f) * 60.0f;
                }
            }
            const float s = mx == 0 ? 0.0f : (float(mx - mn) / float(mx)) * 100.0f;
            const float v = 100.0f * (float(mx) / 255.0f);
            float ht = h + turn;
            ht = float(std::fmod(double(ht), 360.0));
            if (ht < 0.0f) {
                ht += 360.0f;
            }
            float st = s * 1.5f;
            if (st > 100.0f) {
                st = 100.0f;
            }
            int32_t rgb[3];
            if (st == 0.0f) {
                rgb[0] = rgb[1] = rgb[2] = Clamp255(v / 100.0f);
            } else {
                const float hs = ht / 60.0f;
                const int n = int(std::floor(hs));
                const float f = hs - std::floor(hs);
                const float sn = st / -100.0f;
                const float vn = v / 100.0f;
                const float pp = (sn + 1.0f) * vn;
                const float q = (sn * f + 1.0f) * vn;
                const float t = ((1.0f - f) * sn + 1.0f) * vn;
                const float table[6][3] = {{vn, t, pp}, {q, vn, pp}, {pp, vn, t},
                                           {pp, q, vn}, {t, pp, vn}, {vn, pp, q}};
                for (int ch = 0; ch < 3; ++ch) {
                    rgb[ch] = Clamp255(table[n][ch]);
                }
            }
            for (int ch = 0; ch < 3; ++ch) {
                out.At(ch, x, y) = rgb[ch];
            }
        }
    }
    p = out;
}

void RefToyCam(Planes& p) {
    const float cx = float(p.w) * 0.5f;
    const float cy = float(p.h) * 0.5f;
    const float k = 1.0f / (cx * cx + cy * cy);
    for (int y = 0; y < p.h; ++y) {
        for (int x = 0; x < p.w; ++x) {
            const float dx = cx - float(x);
            const float dy = cy - float(y);
            const float f = 1.0f - (dx * dx + dy * dy) * k;
            for (int ch = 0; ch < 3; ++ch) {
                p.At(ch, x, y) = int32_t(float(p.At(ch, x, y)) * f);
            }
        }
    }
    RefSoften(p);
}

void RefFilmStrip(Planes& p) {
    RefDecreaseContrast(p);
    RefToyCam(p);
    const float m = float((p.w + p.h) / 2);
    const int t = int(m * 0.025f);
    const int s = int(m * 0.1f);
    const int L = int(float(s) * 0.6f);
    const int o = int(float(s) * 0.2f);
    const int W = p.w;
    const int N = p.w * p.h;
    bool holes = true;
    int rows = 0;
    int x = 0;
    for (int i = 0; i < N; ++i) {
        for (auto& plane : p.c) {
            int32_t& v = plane[i];
            if (x < s || x > W - s || i < t * W || i > N - t * W) {
                v = 0;
            } else if (x < s + 2 || x > W - s - 2 || i < (t + 2) * W || i > N - (t + 2) * W) {
                v = v / 2;
            }
            if (holes) {
                if ((o < x && x < o + L) || (W - o - L - 1 < x && x < W - o - 1)) {
                    v = 255;
                } else if (x == o || x == o + L || x == W - o - L - 1 || x == W - o - 1) {
                    v = 200;
                }
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

// --- frames ---------------------------------------------------------------------------------

void RefFrame(Planes& p, int bottomBands) {
    const int W = p.w;
    const int N = p.w * p.h;
    const int b = int(float((p.w + p.h) / 2) * 0.05f);
    for (int i = 0; i < N; ++i) {
        const int x = i % W;
        if (x < b || x > W - b || i < W * b || i > N - bottomBands * W * b) {
            for (auto& plane : p.c) {
                plane[i] = 255;
            }
        }
    }
}

void RefClassicFrame(Planes& p) {
    RefFrame(p, 1);
}
void RefPolaroid(Planes& p) {
    RefFrame(p, 4);
}

// The literal passes; pictures narrower than 16 are checked elsewhere.
void RefPhotomat(Planes& p) {
    RefDesaturize(p);
    RefIncreaseContrast(p);
    RefClassicFrame(p);
    const int W = p.w, H = p.h;
    const int qw = W / 4, qh = H / 4;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const size_t src = y < qh ? size_t((4 * y) % H) * W + size_t((4 * x) % W)
                                      : size_t(y - qh) * W + size_t(x);
            for (auto& plane : p.c) {
                plane[size_t(y) * W + x] = x <= qw ? plane[src] : 0;
            }
        }
    }
    const int sh = int(float(qw) * 1.5f);
    for (int y = 0; y < H; ++y) {
        for (int k = 0; k <= qw + 1; ++k) {
            for (int ch = 0; ch < 3; ++ch) {
                p.At(ch, sh + k, y) = p.At(ch, k, y);
                p.At(ch, k, y) = 0;
            }
        }
    }
}

// --- the comparison -------------------------------------------------------------------------

struct Size {
    int w, h;
};

struct LookCase {
    std::string name;
    std::function<void(QuorelImage*)> look;
    std::function<void(Planes&)> reference;
    std::vector<Size> sizes;
};

const std::vector<Size> kAllSizes = {{1, 1},   {1, 9},   {9, 1},    {2, 2},    {3, 3},
                                     {4, 5},   {5, 4},   {16, 16},  {17, 13},  {20, 31},
                                     {64, 33}, {33, 64}, {101, 77}, {200, 120}};
const std::vector<Size> kBlurSizes = {{1, 1},   {1, 9},   {9, 1},  {2, 2},  {3, 3},   {5, 4},
                                      {16, 16}, {17, 13}, {41, 3}, {3, 45}, {64, 48}, {57, 61}};
const std::vector<Size> kStripSizes = {{16, 16}, {16, 3},   {17, 13},   {20, 31},  {64, 33},
                                       {33, 64}, {101, 77}, {200, 120}, {512, 512}};

const QColor kTint = QColor::fromRgbF(0.9f, 0.45f, 0.2f);

std::vector<LookCase> Cases() {
    return {
        {"Desaturize", Filters::Desaturize, RefDesaturize, kAllSizes},
        {"IncreaseContrast", Filters::IncreaseContrast, RefIncreaseContrast, kAllSizes},
        {"DecreaseContrast", Filters::DecreaseContrast, RefDecreaseContrast, kAllSizes},
        {"Sepia", Filters::Sepia, RefSepia, kAllSizes},
        {"Posterize", Filters::Posterize, RefPosterize, kAllSizes},
        {"Colorize", [](QuorelImage* i) { Filters::Colorize(i, kTint); },
         [](Planes& p) { RefColorize(p, kTint); }, kAllSizes},
        {"ArtsyFilter", Filters::ArtsyFilter, RefArtsy, kAllSizes},
        {"Soften", Filters::Soften, RefSoften, kAllSizes},
        {"Sharpen", Filters::Sharpen, RefSharpen, kAllSizes},
        {"CenterFocus", Filters::CenterFocus, RefCenterFocus, kBlurSizes},
        {"PopArtPoster2", Filters::PopArtPoster2, RefPopArt, kAllSizes},
        {"ToyCam", Filters::ToyCam, RefToyCam, kAllSizes},
        {"FilmStripFilter", Filters::FilmStripFilter, RefFilmStrip, kAllSizes},
        {"ClassicFrame", Filters::ClassicFrame, RefClassicFrame, kAllSizes},
        {"PolaroidFilter", Filters::PolaroidFilter, RefPolaroid, kAllSizes},
        {"Photomat", Filters::Photomat, RefPhotomat, kStripSizes},
    };
}

// The first differing pixel, or an empty string.
std::string FirstDifference(const Planes& got, const Planes& want) {
    for (int ch = 0; ch < 3; ++ch) {
        for (size_t i = 0; i < want.c[ch].size(); ++i) {
            if (got.c[ch][i] != want.c[ch][i]) {
                return "channel " + std::to_string(ch) + " at (" + std::to_string(i % want.w) +
                       ", " + std::to_string(i / want.w) + "): got " +
                       std::to_string(got.c[ch][i]) + ", want " + std::to_string(want.c[ch][i]);
            }
        }
    }
    return {};
}

void PrintTo(const LookCase& c, std::ostream* os) {
    *os << c.name;
}

class LooksReferenceLook : public ::testing::TestWithParam<LookCase> {};

TEST_P(LooksReferenceLook, AgreesPixelForPixelOnRandomPictures) {
    const LookCase& c = GetParam();
    for (const Size& size : c.sizes) {
        for (uint32_t seed : {1u, 2u, 3u}) {
            auto image = TestPictures::RandomImage(size.w, size.h, seed * 7919u + size.w);
            Planes want = Front(*image);
            c.reference(want);
            c.look(image.get());
            EXPECT_EQ(FirstDifference(Front(*image), want), "")
                << c.name << " on " << size.w << " x " << size.h << ", seed " << seed;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(LooksReference, LooksReferenceLook, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

// The box blur alone, for radii from 0 to past the picture's size, against the
// naive square sum; the front planes stay as they were.
TEST(LooksReferenceBlur, BackBufferIsTheNaiveBoxSumForEveryRadius) {
    const Size sizes[] = {{1, 1}, {7, 1}, {1, 7}, {2, 3}, {13, 9}, {30, 22}};
    for (const Size& size : sizes) {
        for (int r : {0, 1, 2, 3, 5, 8, 20, 40}) {
            auto image = TestPictures::RandomImage(size.w, size.h, 77u + r);
            const Planes before = Front(*image);
            const Planes want = RefBoxBlur(before, r);
            Filters::GaussBlurToBackBuffer(image.get(), r);
            EXPECT_EQ(FirstDifference(Front(*image), before), "");
            image->SwapBackBuffer();
            EXPECT_EQ(FirstDifference(Front(*image), want), "")
                << "radius " << r << " on " << size.w << " x " << size.h;
        }
    }
}

} // namespace
