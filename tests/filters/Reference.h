#pragma once

// Plain reference computations of the filter formulas, each written the
// straightforward way (no running sums, no fused passes, no tables), on plane
// copies; compared pixel for pixel with the library in ReferenceTest.cpp.
#include "image/QuorelImage.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace Reference {

struct Pic {
    int W = 0;
    int H = 0;
    std::vector<int32_t> f[4]; // red, green, blue, alpha
    std::vector<int32_t> b[4]; // the back buffer

    int N() const { return W * H; }
    int32_t& F(int c, int x, int y) { return f[c][y * W + x]; }
    void Swap() {
        for (int c = 0; c < 4; ++c) {
            std::swap(f[c], b[c]);
        }
    }
};

Pic Snapshot(QuorelImage& image);
int Cap(int v);
int CapFloor(int v);
int Keep(int v);
// Multiplies channel c by k, truncates, then clips.
void Scale(Pic& p, int c, float k, int (*clip)(int));
// Hue turned by delta, saturation times k, back to red, green, blue 0..255;
// false where the turned hue lands on sector 6.
bool HsvTurn(const int in[3], float k, float delta, int out[3]);

// The looks.
void RefDesaturize(Pic& p);
void RefContrast(Pic& p, float factor);
void RefSepia(Pic& p);
void RefPosterize(Pic& p);
void RefColorize(Pic& p, float r, float g, float b);
void RefArtsy(Pic& p);
void RefSoften(Pic& p);
void RefSharpen(Pic& p);
void RefBlurToBack(Pic& p, int r);
void RefCenterFocus(Pic& p);
void RefPopArt(Pic& p);
void RefToyCam(Pic& p);
void RefFilmStrip(Pic& p);
void RefFrame(Pic& p, int bottomBands);
void RefPhotomat(Pic& p);

// The further filters and the colour model.
void RefHot(Pic& p);
void RefCold(Pic& p);
void RefExposureUp(Pic& p);
void RefExposureDown(Pic& p);
void RefNoise(Pic& p);
void RefVergilben(Pic& p);
void RefBlur(Pic& p);
void RefRotateCW(Pic& p);
void RefRotateCCW(Pic& p);
void RefGlassButton(Pic& p);
void RefRelief(Pic& p);
bool RefHue(uint32_t colour, float out[3]);
void RefColorFromHsb(float t[3]);
void RefIncreaseSaturation(Pic& p);
void RefChangeSaturation(Pic& p, float k, float delta);
void RefOldTime(Pic& p);
void RefPopArtPoster(Pic& p);
void RefPhotomatOld(Pic& p);
void RefGaussBlur(Pic& p, int r);
void RefNeonLight(Pic& p);

} // namespace Reference
