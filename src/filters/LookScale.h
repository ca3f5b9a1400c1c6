#pragma once

#include <cstdint>

class QuorelImage;

// How a look stated for the processed picture of 512 x 512 runs on the selection
// fitted into a larger (or smaller) square: every count of pixels in the look is
// the stated count times factor = side / 512, rounded to the nearest whole pixel
// (halves away from zero), so that the larger picture looks like the stated one.
// A factor of 1 leaves every count exactly as stated.
class LookScale {
public:
    static constexpr float kStatedSide = 512.0f;
    // Sides from 64 to 4096: far beyond what the pipeline asks for, and small
    // enough that every scaled sum stays within 32-bit integers.
    static constexpr float kMinFactor = 0.125f;
    static constexpr float kMaxFactor = 8.0f;

    // The factor held within kMinFactor..kMaxFactor; one that is not a number is 1.
    explicit LookScale(float factor);
    // The factor for a processed picture fitted into side x side.
    static LookScale ForSide(int32_t side);

    float Factor() const { return _factor; }
    bool IsOne() const { return _factor == 1.0f; }
    // round(count * factor).
    int32_t Count(int32_t count) const;
    // A side of the picture as the stated picture has it: round(side / factor),
    // at least 1 for a side of at least 1.
    int32_t StatedSide(int32_t side) const;

    // A look at the factor: the stated operation itself for a factor of 1 or an
    // absent image, else the look's kernel with the scale.
    using Stated = void (*)(QuorelImage*);
    using Scaled = void (*)(QuorelImage&, const LookScale&);
    static void Run(QuorelImage* image, float factor, Stated stated, Scaled scaled);

private:
    float _factor;
};
