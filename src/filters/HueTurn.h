#pragma once

#include <cstdint>
#include <vector>

// Pop art's colour step for pixels of values 0..255: hue h, saturation s and
// value v (in degrees and percent) of each pixel, then the hue turned by an
// angle, the saturation times 1.5 (at most 100), and back to red, green and blue,
// all in float in the order the look states (see Analyse and Turn).
//
// The step is split in two so that a picture whose quadrants show the same
// pixels converts each pixel once and turns it four times: Analyse takes a row
// of gathered pixels to h, s and v; Turn writes any run of them turned.
class HueTurn {
public:
    // Room for rows of up to width pixels.
    explicit HueTurn(int32_t width);

    // The row of source pixels for Analyse, filled by the caller.
    int32_t* Red() { return _red.data(); }
    int32_t* Green() { return _green.data(); }
    int32_t* Blue() { return _blue.data(); }

    // h, s and v of the first count gathered pixels.
    void Analyse(int32_t count);
    // Pixels from..from+count-1 of the analysed row, turned by angle degrees,
    // written to red, green and blue.
    void Turn(int32_t from, int32_t count, float angle, int32_t* red, int32_t* green,
              int32_t* blue) const;

private:
    std::vector<int32_t> _red;
    std::vector<int32_t> _green;
    std::vector<int32_t> _blue;
    std::vector<float> _hue;        // h in degrees, before the turn
    std::vector<float> _saturation; // raised s / -100
    std::vector<float> _value;      // v / 100
};
