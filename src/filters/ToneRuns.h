#pragma once

#include <cstdint>

// A run of pixels of the three colour planes: count values from each pointer.
struct ColourRun {
    int32_t* red;
    int32_t* green;
    int32_t* blue;
    int32_t count;
};

// The tone looks' steps on a run of pixels, in place: each pixel from its own
// colour alone, so a run of any length (a whole plane, a row, a gathered row)
// gets the values a pass over the whole picture would give it.
namespace ToneRuns {

void Desaturize(const ColourRun& run);
void Contrast(const ColourRun& run, float factor);
void Sepia(const ColourRun& run);
void Posterize(const ColourRun& run);
// Desaturize, then each grey times the colour's components.
void Colorize(const ColourRun& run, float red, float green, float blue);
// Desaturize, then the raised contrast twice.
void Artsy(const ColourRun& run);

} // namespace ToneRuns
