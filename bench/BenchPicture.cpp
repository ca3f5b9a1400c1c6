#include "BenchPicture.h"

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
