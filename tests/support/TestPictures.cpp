#include "support/TestPictures.h"

#include "image/QuorelImage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
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

std::unique_ptr<QuorelImage> RandomImage(int width, int height, uint32_t seed) {
    auto image = QuorelImage::InitEmpty(width, height);
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> value(0, 255);
    for (int32_t i = 0; i < image->PixelCount(); ++i) {
        image->Red()[i] = value(generator);
        image->Green()[i] = value(generator);
        image->Blue()[i] = value(generator);
    }
    return image;
}

QByteArray Encoded(const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

QString Written(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        << path.toStdString();
    return path;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace TestPictures
