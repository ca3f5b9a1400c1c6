#pragma once

// Plain reference computations of the effect formulas, each written the
// straightforward way (no running sums, no tables), on plane copies.
#include "image/QuorelImage.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace EffectsReference {

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

// Front and back planes of the image, copied.
Pic Snapshot(QuorelImage& image);

int Cap(int v);
void RefHot(Pic& p);
void RefCold(Pic& p);
void RefExposureUp(Pic& p);
void RefExposureDown(Pic& p);
void RefNoise(Pic& p);
void RefVergilben(Pic& p);
void RefBlur(Pic& p);
void RefBlendWithColor(Pic& p, float r, float g, float b);
void RefRotateCW(Pic& p);
void RefRotateCCW(Pic& p);
void RefAddBack(Pic& p);
void RefGlassButton(Pic& p);
void RefRelief(Pic& p);
bool RefHue(uint32_t colour, float out[3]);
void RefColorFromHsb(float t[3]);
void RefIncreaseSaturation(Pic& p);
int CapFloor(int v);
void RefChangeSaturation(Pic& p, float k, float delta);
void RefDesaturize(Pic& p);
void RefContrast(Pic& p, float factor);
void RefPosterize(Pic& p);
void RefArtsy(Pic& p);
void RefSoften(Pic& p);
void RefClassicFrame(Pic& p);
void RefBlurToBack(Pic& p, int r);
void RefCenterFocus(Pic& p);
void RefOldTime(Pic& p);
void RefPopArtPoster(Pic& p);
void RefPhotomatOld(Pic& p);
void RefGaussBlur(Pic& p, int r);
void RefNeonLight(Pic& p);

} // namespace EffectsReference
