// Arbitrary bytes as a picture file, read as the window and the batch read
// photos (typed by content, then a scaled decode within the budget), then
// prepared as planes and back: none of it may crash, hang or take unbounded
// memory. HEIF files go through libheif with the fuzzer's bytes.
#include "fuzz/support/FuzzApplication.h"
#include "image/PictureReader.h"
#include "image/QuorelImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>

namespace {

// Large pictures are handled the same way as small ones (the unit tests prove
// the bound); keeping them smaller here lets the fuzzer try far more inputs.
constexpr qint64 kMostFuzzedPixels = qint64(1) << 22;
constexpr int kAllocationLimitMb = 16;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureFuzzApplication();
    QImageReader::setAllocationLimit(kAllocationLimitMb);
    static const QString path = QDir::temp().filePath(
        QStringLiteral("trellica-fuzz-%1.img").arg(QCoreApplication::applicationPid()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    PictureReader reader(path);
    const QSize photo = reader.PhotoSize();
    if (qint64(photo.width()) * photo.height() > kMostFuzzedPixels) {
        return 0;
    }
    // The first byte picks the scale asked for, 1/1 to 1/8, as the batch asks.
    const int divisor = 1 << (size > 0 ? data[0] % 4 : 0);
    const PictureReader::Result read = reader.Decode(divisor);
    if (auto image = QuorelImage::InitWithNSImage(read.picture)) {
        image->Preview();
    }
    return 0;
}
