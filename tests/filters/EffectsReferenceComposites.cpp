#include "filters/EffectsReference.h"

#include <algorithm>
#include <cmath>

namespace EffectsReference {

// --- the looks the composite filters are built from ------------------------------------

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

} // namespace EffectsReference
