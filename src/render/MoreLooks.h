#pragma once

#include <array>
#include <bitset>
#include <cstddef>

class QuorelImage;

// One of the more looks: a filter of the library as it is, without a colour or a scale.
struct MoreLook {
    const char* name; // for people: the menu entry's label
    const char* key;  // its short name on a command line; the window's control is look_<key>
    void (*apply)(QuorelImage* image);
};

// The looks beyond the thirteen of 2012, in the order a run applies them,
// after the thirteen and on the same pixel image. They count their pixels as
// the library does at any side: no scale is asked of them.
class MoreLooks {
public:
    MoreLooks() = delete;

    static constexpr size_t kCount = 14;
    // The radius Soft blur blurs with before it mixes the blur with the picture:
    // a 9 x 9 square, soft on a 512 picture without losing its lines.
    static constexpr int kSoftBlurRadius = 4;

    static const std::array<MoreLook, kCount>& Rows();
    // The row with that command-line key, or -1.
    static int Index(const char* key);
    // Applies the row's filter to the image.
    static void Apply(size_t row, QuorelImage* image);
};

// Which of the more looks are on, by their row in MoreLooks::Rows().
using MoreLookSet = std::bitset<MoreLooks::kCount>;
