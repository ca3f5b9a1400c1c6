#include "image/PictureReader.h"

#include "image/BitmapSurface.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

static_assert(PictureReader::kPixelBudget <= BitmapSurface::kMaxPixels,
              "a held photo must stay within the picture bound");

namespace {

// The widest format Qt decodes these files into (16 bits per channel, RGBA).
constexpr qint64 kWidestBytesPerPixel = 8;
constexpr qint64 kBytesPerMegabyte = qint64(1) << 20;

// Qt's allocation limit is process-wide: raised for one read, then put back.
class AllocationLimitFor {
public:
    explicit AllocationLimitFor(QSize size) : _previous(QImageReader::allocationLimit()) {
        const qint64 bytes = qint64(size.width()) * size.height() * kWidestBytesPerPixel;
        const int needed = int(bytes / kBytesPerMegabyte + 1);
        if (_previous != 0 && needed > _previous) {
            QImageReader::setAllocationLimit(needed);
        }
    }
    ~AllocationLimitFor() { QImageReader::setAllocationLimit(_previous); }
    AllocationLimitFor(const AllocationLimitFor&) = delete;
    AllocationLimitFor& operator=(const AllocationLimitFor&) = delete;

private:
    int _previous;
};

PictureReader::Failure FailureOf(QImageReader::ImageReaderError error) {
    switch (error) {
    case QImageReader::UnsupportedFormatError:
        return PictureReader::Failure::Unsupported;
    case QImageReader::FileNotFoundError:
    case QImageReader::DeviceError:
        return PictureReader::Failure::Unreadable;
    default:
        return PictureReader::Failure::Damaged;
    }
}

QSize Upright(QSize stored, QImageIOHandler::Transformations transformation) {
    return transformation.testFlag(QImageIOHandler::TransformationRotate90) ? stored.transposed()
                                                                            : stored;
}

} // namespace

QSize PictureReader::HeldSize(QSize photo) {
    QSize held = photo;
    for (int divisor = 2; qint64(held.width()) * held.height() > kPixelBudget; divisor *= 2) {
        // Rounded down: Qt's JPEG decoder then scales by exactly 1/divisor.
        held = QSize(std::max(1, photo.width() / divisor), std::max(1, photo.height() / divisor));
    }
    return held;
}

PictureReader::Result PictureReader::Read(const QString& path) {
    Result result;
    // Typed from the file system, never opened: a pipe or a device would block.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.failure = Failure::NotAPictureFile;
        result.reason = QStringLiteral("Not a picture file: %1").arg(path);
        return result;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (stored.isValid() && qint64(stored.width()) * stored.height() > kMaxPhotoPixels) {
        result.failure = Failure::TooLarge;
        result.reason =
            QStringLiteral("Picture too large: %1 x %2").arg(stored.width()).arg(stored.height());
        return result;
    }
    if (stored.isValid() && HeldSize(stored) != stored) {
        reader.setScaledSize(HeldSize(stored));
    }
    {
        const AllocationLimitFor limit(stored.isValid() ? stored : QSize());
        result.picture = reader.read();
    }
    if (result.picture.isNull()) {
        result.failure = FailureOf(reader.error());
        result.reason = reader.errorString();
        return result;
    }
    result.photoSize = stored.isValid() && reader.scaledSize().isValid()
                           ? Upright(stored, reader.transformation())
                           : result.picture.size();
    return result;
}
