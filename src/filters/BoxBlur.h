#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Box sum of the (2r + 1) x (2r + 1) square around every pixel of a plane, the
// square's coordinates clamped into the picture, times 1 / ((2r + 1)^2 - 2) in
// float, truncated and clamped to 0..255.
//
// The sum is an exact integer (running sums down each column, then a prefix sum
// along each row), so it costs the same for any radius and equals the sum taken
// in any order. With a moderate radius the sums are taken in int32 while the
// rows hold values small enough for it (0..255, or a glow of a few hundred;
// each row is looked at just before it enters them, so the plane is read
// once); from the first row that does not (and for huge radii from the start)
// in 128-bit integers, so that no sum can overflow.
class BoxBlur {
public:
    // A negative radius makes Apply write nothing (it still reports every row).
    BoxBlur(int32_t width, int32_t height, int32_t radius);

    // Called with every row in increasing order, as soon as src's row has been
    // read for the last time and dst's row written: the caller may change both.
    using RowDone = std::function<void(int32_t row)>;

    // Reads src and writes every pixel of dst, or only dst's rows from..to-1
    // (reporting those rows only); src and dst width x height, apart. A blur
    // keeps working memory: one blur runs on one thread at a time.
    void Apply(const int32_t* src, int32_t* dst, const RowDone& done = nullptr, int32_t from = 0,
               int32_t to = INT32_MAX);
    // The same with dst's rows wherever the caller keeps them: row y of the
    // result goes to dst(y), width values, written before y is reported.
    using RowOut = std::function<int32_t*(int32_t y)>;
    void Apply(const int32_t* src, const RowOut& dst, const RowDone& done, int32_t from,
               int32_t to);

    float Scale() const { return _scale; }

    // The largest magnitude |v| among n values (2^31 for INT32_MIN).
    static uint32_t Magnitude(const int32_t* src, int64_t n);

private:
    bool FitsInt32(const int32_t* src, int32_t from) const;
    uint32_t Int32Bound() const;

    int32_t _width;
    int32_t _height;
    int64_t _radius;
    float _scale;
    std::vector<int32_t> _columns;
    std::vector<int32_t> _prefix;
};
