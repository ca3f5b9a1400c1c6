#include "support/TestPictures.h"

#include "image/QuorelImage.h"

#include <random>

namespace TestPictures {

QImage Solid(int width, int height, QColor colour) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QImage Gradient(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        }
    }
    return picture;
}

QImage HalfTransparent(int width, int height) {
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width / 2; ++x) {
            picture.setPixel(x, y, qRgba(255, 0, 0, 255));
        }
    }
    return picture;
}

QColor PixelAt(const QImage& picture, int x, int y) {
    return QColor::fromRgba(picture.convertToFormat(QImage::Format_ARGB32).pixel(x, y));
}

std::unique_ptr<QuorelImage> RandomImage(int width, int height, uint32_t seed, int lo, int hi) {
    auto image = QuorelImage::InitEmpty(width, height);
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> value(lo, hi);
    for (int32_t i = 0; i < image->PixelCount(); ++i) {
        image->Red()[i] = value(generator);
        image->Green()[i] = value(generator);
        image->Blue()[i] = value(generator);
    }
    return image;
}

std::unique_ptr<QuorelImage> FlatImage(int width, int height, int r, int g, int b) {
    auto image = QuorelImage::InitEmpty(width, height);
    for (int32_t i = 0; i < image->PixelCount(); ++i) {
        image->Red()[i] = r;
        image->Green()[i] = g;
        image->Blue()[i] = b;
    }
    return image;
}

} // namespace TestPictures
