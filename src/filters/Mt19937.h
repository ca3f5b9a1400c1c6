#pragma once

#include <array>
#include <cstdint>

// The standard library's std::mt19937, number for number, drawn a block at a
// time: its twist and tempering run as plain loops over the state, which
// vectorise, where the library's step by step does not.
class Mt19937 {
public:
    explicit Mt19937(uint32_t seed);

    // The next count numbers, as that many calls of std::mt19937 give them.
    void Draw(uint32_t* out, int32_t count);

private:
    static constexpr int32_t kStateSize = 624;
    void Twist();

    std::array<uint32_t, kStateSize> _state;
    int32_t _next = kStateSize; // the first number not yet drawn of the twisted state
};
