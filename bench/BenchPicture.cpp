#include "BenchPicture.h"

#include <algorithm>
#include <random>

QImage BenchPhoto(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x] = qRgb((x * 3) & 255, (y * 5) & 255, (x ^ y) & 255);
        }
    }
    return picture;
}

QImage CameraPhoto(int width, int height) {
    constexpr int kGrain = 3;
    QImage photo = QImage(QStringLiteral("/usr/share/doc/opencv-doc/examples/data/basketball1.png"))
                       .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    std::mt19937 grain(1);
    std::uniform_int_distribution<int> noise(-kGrain, kGrain);
    for (int y = 0; y < photo.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const int n = noise(grain);
            const auto channel = [n](int v) { return std::clamp(v + n, 0, 255); };
            row[x] = qRgb(channel(qRed(row[x])), channel(qGreen(row[x])), channel(qBlue(row[x])));
        }
    }
    return photo;
}
