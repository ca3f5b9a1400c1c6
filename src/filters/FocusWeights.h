#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The blur focus's blend weight m = (1 - (dx * dx + dy * dy) * k)^4 of every
// pixel (RadialFalloff, raised by the single-precision power function), for
// one picture size. Mirrored columns and rows whose squares agree share one
// power call. The power calls are most of the look's cost and depend on the
// size alone, so each thread keeps the last table it made for its next picture
// of the same size (a run renders all its pictures at one size).
class FocusWeights {
public:
    // The table for the size; it stays valid until this thread asks for another.
    static const FocusWeights& For(int32_t width, int32_t height);

    // The width weights of row y.
    const float* Row(int32_t y) const {
        return _keep.data() + static_cast<size_t>(_rowOf[static_cast<size_t>(y)]) * _width;
    }

private:
    FocusWeights(int32_t width, int32_t height);

    size_t _width;
    int32_t _height;
    std::vector<int32_t> _rowOf; // each row's row of weights
    std::vector<float> _keep;
};
