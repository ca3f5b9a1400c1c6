#pragma once

// Plain reference computations of the filter formulas, each written the
// straightforward way (no running sums, no fused passes, no tables), on plane
// copies (Reference.cpp); compared pixel for pixel with the library in ReferenceTest.cpp.
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
// Every filter beside its reference.
std::vector<Case> AllCases();

Pic Snapshot(QuorelImage& image);
// The colour model: hue, saturation 0..255, brightness; false for greys. And back.
bool RefHue(uint32_t colour, float out[3]);
void RefColorFromHsb(float t[3]);

} // namespace Reference
