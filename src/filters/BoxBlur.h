#pragma once

#include <cstdint>
#include <vector>

// Box sum of the (2r + 1) x (2r + 1) square around every pixel of a plane, the
// square's coordinates clamped into the picture, times 1 / ((2r + 1)^2 - 2) in
// float, truncated and clamped to 0..255.
//
// The sum is an exact integer (running sums down each column, then a prefix sum
// along each row), so it costs the same for any radius and equals the sum taken
// in any order. It is summed in int32 when no sum can exceed it (values
// 0..255, or a glow up to a few hundred, with a moderate radius); anything
// else in 128-bit integers, so that no sum can overflow.
class BoxBlur {
public:
    // A negative radius makes Apply do nothing.
    BoxBlur(int32_t width, int32_t height, int32_t radius);

    // Reads src and writes every pixel of dst; both width x height, apart.
    void Apply(const int32_t* src, int32_t* dst);

    float Scale() const { return _scale; }

    // The largest magnitude |v| among n values (2^31 for INT32_MIN): what an
    // exact integer sum of k of them can reach at most, k times over.
    static uint32_t Magnitude(const int32_t* src, int64_t n);

private:
    bool FitsInt32(const int32_t* src) const;

    int32_t _width;
    int32_t _height;
    int64_t _radius;
    float _scale;
    std::vector<int32_t> _columns;
    std::vector<int32_t> _prefix;
};
