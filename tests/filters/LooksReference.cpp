#include "filters/Reference.h"

#include "filters/Filters.h"

#include <QColor>

#include <algorithm>
#include <cmath>

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

int Cap(int v) {
    return v > 255 ? 255 : v;
}
int CapFloor(int v) {
    return v > 255 ? 255 : (v > 0 ? v : 0);
}
int Keep(int v) {
    return v;
}

void Scale(Pic& p, int c, float k, int (*clip)(int)) {
    for (int i = 0; i < p.N(); ++i) {
        p.f[c][i] = clip((int)((float)p.f[c][i] * k));
    }
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

void RefDesaturize(Pic& p) {
    for (int i = 0; i < p.N(); ++i) {
        const int y = Cap(
            (int)((float)p.f[0][i] * 0.3f + (float)p.f[1][i] * 0.59f + (float)p.f[2][i] * 0.11f));
        p.f[0][i] = p.f[1][i] = p.f[2][i] = y;
    }
}

void RefContrast(Pic& p, float factor) {
    EachValue(p, [&](int c, int i) {
        p.f[c][i] = CapFloor((int)(((float)p.f[c][i] - 127.5f) * factor + 127.5f));
    });
}

void RefSepia(Pic& p) {
    Scale(p, 0, 1.1f, Cap);
    Scale(p, 1, 0.95f, Keep);
    Scale(p, 2, 0.65f, Keep);
}

void RefPosterize(Pic& p) {
    EachValue(p, [&](int c, int i) { p.f[c][i] = (int)((float)p.f[c][i] * 0.01f) * 100; });
}

void RefColorize(Pic& p, float r, float g, float b) {
    RefDesaturize(p);
    Scale(p, 0, r, CapFloor);
    Scale(p, 1, g, CapFloor);
    Scale(p, 2, b, CapFloor);
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
    float total = 0.0f;
    for (float t : w) {
        total += t;
    }
    const float s = 1.0f / total;
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
void RefSharpen(Pic& p) {
    Convolve(p, {0, -1, 0, -1, 5, -1, 0, -1, 0});
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
    const float cx = (float)p.W * 0.5f, cy = (float)p.H * 0.5f;
    const float k = 1.0f / (cx * cx + cy * cy);
    for (int y = 0; y < p.H; ++y) {
        for (int x = 0; x < p.W; ++x) {
            const float dx = cx - (float)x, dy = cy - (float)y;
            const float m = 1.0f - (dx * dx + dy * dy) * k;
            for (int c = 0; c < 3; ++c) {
                p.F(c, x, y) = (int)((float)p.F(c, x, y) * m);
            }
        }
    }
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

// The literal passes; pictures narrower than 16 are checked in FrameFiltersTest.
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

std::vector<Case> LookCases() {
    const auto look = [](const char* name, void (*library)(QuorelImage*),
                         std::function<void(Pic&)> reference, int minWidth = 0) {
        return Case{name, library, std::move(reference), true, minWidth};
    };
    return {
        look("Desaturize", Filters::Desaturize, RefDesaturize),
        look("IncreaseContrast", Filters::IncreaseContrast, [](Pic& p) { RefContrast(p, 1.25f); }),
        look("DecreaseContrast", Filters::DecreaseContrast, [](Pic& p) { RefContrast(p, 0.75f); }),
        look("Sepia", Filters::Sepia, RefSepia),
        look("Posterize", Filters::Posterize, RefPosterize),
        look(
            "Colorize",
            [](QuorelImage* i) { Filters::Colorize(i, QColor::fromRgbF(0.9f, 0.45f, 0.2f)); },
            [](Pic& p) { RefColorize(p, 0.9f, 0.45f, 0.2f); }),
        look("ArtsyFilter", Filters::ArtsyFilter, RefArtsy),
        look("Soften", Filters::Soften, RefSoften),
        look("Sharpen", Filters::Sharpen, RefSharpen),
        look("CenterFocus", Filters::CenterFocus, RefCenterFocus),
        look("PopArtPoster2", Filters::PopArtPoster2, RefPopArt),
        look("ToyCam", Filters::ToyCam, RefToyCam),
        look("FilmStripFilter", Filters::FilmStripFilter, RefFilmStrip),
        look("ClassicFrame", Filters::ClassicFrame, [](Pic& p) { RefFrame(p, 1); }),
        look("PolaroidFilter", Filters::PolaroidFilter, [](Pic& p) { RefFrame(p, 4); }),
        look("Photomat", Filters::Photomat, RefPhotomat, 16),
    };
}

} // namespace Reference
