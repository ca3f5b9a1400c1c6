#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class QuorelImage;

// Test pictures and pixel images made in code, and the files tests write and read.
namespace TestPictures {

// Opaque RGB picture of one colour.
QImage Solid(int width, int height, QColor colour);
// Opaque RGB picture whose every pixel differs: r = x, g = y, b = x + y (mod 256).
QImage Gradient(int width, int height);
// Picture with alpha: the left half opaque red, the right half fully transparent.
QImage HalfTransparent(int width, int height);

// The pixel's channels as (r, g, b, a), reading any format.
QColor PixelAt(const QImage& picture, int x, int y);

// A pixel image of the given size whose front planes hold values 0..255 from a fixed seed;
// alpha 255.
std::unique_ptr<QuorelImage> RandomImage(int width, int height, uint32_t seed);

// The picture encoded in that format.
QByteArray Encoded(const QImage& picture, const char* format);
// Writes the bytes as the file at path (replacing it); its path.
QString Written(const QString& path, const QByteArray& bytes);
// The file's bytes; empty when it cannot be read.
QByteArray Bytes(const QString& path);
// The names of the files and folders in the folder, sorted.
QStringList Entries(const QString& folder);

} // namespace TestPictures
