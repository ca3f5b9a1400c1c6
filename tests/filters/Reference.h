#pragma once

// Plain reference computations of the filter formulas, each written the
// straightforward way (no running sums, no fused passes, no tables), on plane
// copies; compared pixel for pixel with the library in ReferenceTest.cpp.
#include "image/QuorelImage.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
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

// A filter of the library beside its reference.
struct Case {
    std::string name;
    std::function<void(QuorelImage*)> library;
    std::function<void(Pic&)> reference;
    bool looks = false; // compare the front colour planes only
    int minWidth = 0;   // the literal reference writes past narrower planes
    friend void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
};
std::vector<Case> LookCases();    // LooksReference.cpp
std::vector<Case> FurtherCases(); // EffectsReference.cpp

Pic Snapshot(QuorelImage& image);
// f(c, i) for every value i of the colour planes c = 0, 1, 2, plane by plane.
template <typename F> void EachValue(Pic& p, F f) {
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < p.N(); ++i) {
            f(c, i);
        }
    }
}
int Cap(int v);
int CapFloor(int v);
int Keep(int v);
// Multiplies channel c by k, truncates, then clips.
void Scale(Pic& p, int c, float k, int (*clip)(int));
// Hue turned by delta, saturation times k, back to red, green, blue 0..255;
// false where the turned hue lands on sector 6.
bool HsvTurn(const int in[3], float k, float delta, int out[3]);

// Shared by both files of references.
void RefDesaturize(Pic& p);
void RefContrast(Pic& p, float factor);
void RefPosterize(Pic& p);
void RefArtsy(Pic& p);
void RefSoften(Pic& p);
void RefBlurToBack(Pic& p, int r);
void RefFrame(Pic& p, int bottomBands);
void RefCenterFocus(Pic& p);
// The colour model.
bool RefHue(uint32_t colour, float out[3]);
void RefColorFromHsb(float t[3]);

} // namespace Reference
