#include "filters/EffectsReference.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace EffectsReference {

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

// --- further tone filters ---------------------------------------------------------

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

} // namespace EffectsReference
