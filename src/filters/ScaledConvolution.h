#pragma once

#include "filters/Convolution3x3.h"

class LookScale;
class QuorelImage;

// A 3 x 3 kernel of the looks on a picture s times the size it was stated for.
// The centre tap stays the pixel itself; every other tap (dx, dy) becomes the
// mean of the s x s square centred s * dx, s * dy away, which is what the stated
// picture's neighbouring pixel covers on the larger one. So the kernel reaches
// as far, and softens or sharpens as much, as on the stated picture, and the
// larger picture's finest detail passes at the centre tap's weight.
//
// The kernel must be symmetric (four edge taps of one weight, four corners of
// one weight), as both kernels of the looks are. Its nine squares then tile the
// 3s x 3s square, and with c, e, k the centre, edge and corner weights and M, H,
// V, C the means over the centred rectangles 3s x 3s, 3s wide x s high, s wide x
// 3s high and s x s:
//   result = ((c * pixel + 9k * M) + 3(e - k) * (H + V)) + (k - 2e) * C
// in float in that order (terms of weight 0 left out), truncated, capped and
// floored. Each mean is an exact integer sum, one pass along the rows and one
// down the columns; a side that is not a whole number of pixels weighs its two
// outermost pixels by the part of them inside, in 64ths.
//
// The result replaces the front colour planes. A factor of 1 is
// Convolution3x3::Apply and the swap, as the stated looks do it; any other
// works in place, row by row (each row summed as it enters), and leaves the
// back buffer alone: the working set stays one set of planes. A border of
// Count(1) pixels keeps the picture's own values, as the stated kernel's
// one-pixel border does; squares reaching past the picture read its edge
// pixels. Values are read clamped to 0..255, the range every look leaves for
// the next. The step changes each row before anything reads it.
namespace ScaledConvolution {

void Apply(QuorelImage& image, const Convolution3x3::Kernel& kernel, const LookScale& scale,
           const Convolution3x3::RowStep& step = nullptr);

} // namespace ScaledConvolution
