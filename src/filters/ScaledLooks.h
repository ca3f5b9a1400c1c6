#pragma once

#include <QColor>
#include <bitset>
#include <cstddef>

class LookScale;
class PointSteps;
class QuorelImage;

// The thirteen looks of the profile pictures on a processed picture of any size.
// The looks are stated for the selection fitted into 512 x 512; on the selection
// fitted into S x S they run at scale = S / 512, and every count of pixels in
// them (the blur's radius, the soften and sharpen kernels' reach and untouched
// border, the frames' widths, the film strip's bands, rim and holes) is the
// stated picture's count times the scale, rounded to the nearest pixel
// (LookScale), so that the picture at S looks like the one at 512. What is a
// share of the picture (the toy camera's and the blur focus's fall-off, the pop
// art tiles, the photo strip's quarter size) and every per-pixel colour step
// stay as stated. A scale of 1 runs the Filters operation itself, bit for bit.
class ScaledLooks {
public:
    ScaledLooks() = delete;

    static constexpr size_t kLookCount = 13;

    // The looks' short names in the order they are applied: blurfocus, posterize,
    // sepia, toycam, colorize, popart, sharpen, soften, bw, frame, instant,
    // photomat, filmstrip. Null past the last row.
    static const char* Key(size_t row);
    // The row of the look with that short name; -1 for none.
    static int LookIndex(const char* key);
    // The look of that row at the scale, with the colour of the colorize look.
    // A row past the last, or an absent image, does nothing.
    static void Apply(size_t row, QuorelImage* image, const QColor& colorize, float scale);

    // The looks of the set rows, in their order: the values of Apply row by row.
    // Above or below scale 1, the looks that set each pixel from its own colour
    // alone (posterize, sepia, colorize, bw, pop art's raised contrast) are held
    // back for the next look that reads the picture, which does them on each
    // row (or gathered pixel) as it reads it; they need no pass of their own
    // through memory. At scale 1 each look runs as stated.
    using Chosen = std::bitset<kLookCount>;
    static void ApplyChosen(const Chosen& chosen, QuorelImage* image, const QColor& colorize,
                            float scale);

    // The looks whose pixel counts scale, named after the operations they scale.
    // Box blur radius 20.
    static void CenterFocus(QuorelImage* image, float scale);
    // Its softening (ScaledConvolution).
    static void ToyCam(QuorelImage* image, float scale);
    // The kernel's reach and border (ScaledConvolution).
    static void Sharpen(QuorelImage* image, float scale);
    static void Soften(QuorelImage* image, float scale);
    // The frame's width b; the instant photo's bottom band stays 4 b.
    static void ClassicFrame(QuorelImage* image, float scale);
    static void PolaroidFilter(QuorelImage* image, float scale);
    static void Photomat(QuorelImage* image, float scale);
    // Its toy camera; the bands t and s, the holes' L and o, the 2-pixel rim and
    // the holes' 1-pixel grey sides.
    static void FilmStripFilter(QuorelImage* image, float scale);

    // The looks that read the picture at a scale other than 1: each takes what
    // is held and does it first on what it reads (pop art adds its contrast).
    static void ToyCam(QuorelImage& image, const LookScale& scale, PointSteps& held);
    static void PopArtPoster2(QuorelImage& image, const LookScale& scale, PointSteps& held);
    static void Sharpen(QuorelImage& image, const LookScale& scale, PointSteps& held);
    static void Soften(QuorelImage& image, const LookScale& scale, PointSteps& held);
    static void FilmStripFilter(QuorelImage& image, const LookScale& scale, PointSteps& held);
    // The frames hold their white bands as steps on rows.
    static void ClassicFrame(QuorelImage& image, const LookScale& scale, PointSteps& held);
    static void PolaroidFilter(QuorelImage& image, const LookScale& scale, PointSteps& held);
    // Does what is held on the rows the strip reads only, reads the strip's
    // pixels, then holds the making of every row.
    static void Photomat(QuorelImage& image, const LookScale& scale, PointSteps& held);
};
