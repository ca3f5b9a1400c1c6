#pragma once

#include <cstdint>
#include <functional>

// Work on a large picture in two bands of rows at once: the upper band on the
// calling thread, the lower on one helper thread the looks share. The split is
// fixed by the picture's size alone; when the helper is already busy (another
// picture's look on another thread) the calling thread does both bands in
// turn. Either way the bands must be independent: each writes its own rows
// only, and reads nothing the other writes.
class RowBands {
public:
    RowBands() = delete;

    // Where a picture of that size splits: its first row of the lower band, or
    // rows (no split) for pictures up to LargestUnsplit() pixels.
    static int32_t Split(int32_t rows, int64_t pixels);
    // 512 x 512 unless set: smaller pictures gain too little from a second band.
    static int64_t LargestUnsplit();
    static void SetLargestUnsplit(int64_t pixels);

    // band(from, to) for the rows up to the split and for the rest (or once for
    // all rows); returns when both are done.
    using Band = std::function<void(int32_t from, int32_t to)>;
    static void Run(int32_t rows, int32_t split, const Band& band);
};
