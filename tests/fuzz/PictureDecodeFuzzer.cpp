// Arbitrary bytes as a picture file: decoding, preparing the planes and the way back
// must never crash, hang or take unbounded memory.
#include "fuzz/support/FuzzApplication.h"
#include "image/QuorelImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureFuzzApplication();
    // Large pictures are handled the same way as small ones (the unit tests prove
    // the bound); keeping them smaller here lets the fuzzer try far more inputs.
    QImageReader::setAllocationLimit(16);
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));

    const QImage decoded = QImage::fromData(bytes);
    if (auto image = QuorelImage::InitWithNSImage(decoded)) {
        image->Preview();
    }

    static const QString path = QDir::temp().filePath(
        QStringLiteral("trellica-fuzz-%1.img").arg(QCoreApplication::applicationPid()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
        file.close();
        if (auto image = QuorelImage::InitWithPath(path)) {
            image->Preview();
        }
    }
    return 0;
}
