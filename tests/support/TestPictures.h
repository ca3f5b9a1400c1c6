#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>

class QuorelImage;

// Test pictures and pixel images made in code.
namespace TestPictures {

// Opaque RGB picture of one colour.
QImage Solid(int width, int height, QColor colour);
// Opaque RGB picture whose every pixel differs: r = x, g = y, b = x + y (mod 256).
QImage Gradient(int width, int height);
// Picture with alpha: the left half opaque red, the right half fully transparent.
QImage HalfTransparent(int width, int height);

// The pixel's channels as (r, g, b, a), reading any format.
QColor PixelAt(const QImage& picture, int x, int y);

// A pixel image of the given size whose front planes hold values from a fixed
// seed (0..255 unless lo/hi say otherwise); alpha 255.
std::unique_ptr<QuorelImage> RandomImage(int width, int height, uint32_t seed, int lo = 0,
                                         int hi = 255);
// A pixel image of one colour.
std::unique_ptr<QuorelImage> FlatImage(int width, int height, int r, int g, int b);

} // namespace TestPictures
