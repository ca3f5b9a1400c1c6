// Writes the fuzzers' seed corpus into the folder given as the only argument:
// one subfolder per fuzzer. Pictures of every admitted type (and their truncated
// and bit-flipped variants) for the decoder, HEIC and AVIF among them; small
// deterministic byte blobs for the others.
#include "HeifWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <random>
#include <tuple>

namespace {

// The smallest GIF: one white pixel. Qt reads GIF but cannot write it.
const char kOnePixelGif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                            "!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00"
                            "\x02\x02\x44\x01\x00;";

QImage Scene(int width, int height, QImage::Format format) {
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.fillRect(0, 0, width, height / 2 + 1, QColor(40, 120, 220));
    painter.setBrush(QColor(250, 200, 40, 180));
    painter.drawEllipse(QRectF(width * 0.2, height * 0.2, width * 0.5, height * 0.5));
    painter.end();
    return picture.convertToFormat(format);
}

QByteArray Encode(const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(picture);
    return bytes;
}

void Write(const QString& folder, const QString& name, const QByteArray& bytes) {
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(name));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

// The file, cut in half, and with four bits flipped.
void WriteVariants(const QString& folder, const QString& base, const QByteArray& bytes,
                   std::mt19937& flips) {
    Write(folder, base, bytes);
    Write(folder, base + ".cut", bytes.left(bytes.size() / 2));
    QByteArray flipped = bytes;
    for (int k = 0; k < 4; ++k) {
        const int at = int(flips() % uint32_t(flipped.size()));
        flipped[at] = char(flipped[at] ^ (1 << (flips() % 8)));
    }
    Write(folder, base + ".flip", flipped);
}

// HEIC (x265) and AVIF (aom): plain; with alpha, 10-bit and turned; with alpha,
// lossless and mirrored (aom's 10-bit encoder asserts under libheif 1.15).
void HeifSeeds(const QString& folder, std::mt19937& flips) {
    const QImage plain = Scene(24, 16, QImage::Format_RGB32);
    const QImage alpha = Scene(24, 16, QImage::Format_ARGB32);
    const std::tuple<const char*, QImage, HeifWriter::Options> files[] = {
        {"plain.heic", plain, {}},
        {"deep.heic", alpha, {.bits = 10, .orientation = 6}},
        {"plain.avif", plain, {.avif = true}},
        {"mirrored.avif", alpha, {.avif = true, .lossless = true, .orientation = 2}}};
    for (const auto& [name, picture, options] : files) {
        const QByteArray bytes = HeifWriter::Encoded(picture, options);
        if (!bytes.isEmpty()) {
            WriteVariants(folder, QLatin1String(name), bytes, flips);
        }
    }
}

void PictureSeeds(const QString& folder) {
    const struct {
        int width, height;
        QImage::Format format;
    } pictures[] = {{1, 1, QImage::Format_RGB32},      {7, 5, QImage::Format_RGB32},
                    {16, 9, QImage::Format_ARGB32},    {9, 16, QImage::Format_Grayscale8},
                    {33, 17, QImage::Format_Indexed8}, {4, 4, QImage::Format_Mono}};
    const char* formats[] = {"png", "jpg", "bmp", "tif"};
    std::mt19937 flips(7);
    int n = 0;
    for (const auto& p : pictures) {
        for (const char* format : formats) {
            const QByteArray bytes = Encode(Scene(p.width, p.height, p.format), format);
            if (!bytes.isEmpty()) {
                WriteVariants(folder, QStringLiteral("%1-%2.%3").arg(n++).arg(p.width).arg(format),
                              bytes, flips);
            }
        }
    }
    HeifSeeds(folder, flips);
    Write(folder, "pixel.gif", QByteArray(kOnePixelGif, sizeof(kOnePixelGif) - 1));
    Write(folder, "pixel.gif.cut", QByteArray(kOnePixelGif, 20));
}

void BlobSeeds(const QString& folder, uint32_t seed) {
    std::mt19937 generator(seed);
    for (int n = 0; n < 16; ++n) {
        QByteArray blob(8 + n * 6, '\0');
        for (char& c : blob) {
            c = char(generator());
        }
        Write(folder, QStringLiteral("blob-%1").arg(n), blob);
    }
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        qWarning("usage: trellica_fuzz_seeds FOLDER");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    PictureSeeds(out.filePath("PictureDecodeFuzzer"));
    const char* others[] = {"GeometryFuzzer", "FilterFuzzer", "CropGestureFuzzer"};
    uint32_t seed = 1;
    for (const char* name : others) {
        BlobSeeds(out.filePath(name), seed++);
    }
    return 0;
}
