#include "image/PictureReader.h"

#include "image/BitmapSurface.h"
#include "image/HeifDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <mutex>

static_assert(PictureReader::kPixelBudget <= BitmapSurface::kMaxPixels,
              "a held photo must stay within the picture bound");

namespace {

// The largest decode ever asked for: a photo at the bound, from a format whose
// decoder cannot scale (it is decoded whole, then scaled), in the widest format
// Qt decodes into (16 bits per channel, RGBA). Decoder-scaled reads stay within
// the budget, far below.
constexpr qint64 kWidestBytesPerPixel = 8;
constexpr int kAllocationLimitMb =
    int(PictureReader::kMaxPhotoPixels * kWidestBytesPerPixel / (qint64(1) << 20));

// Qt's allocation limit is process-wide and readers run on several threads: it
// is set once, before the first read, and never changed again.
void AllowLargestDecode() {
    static std::once_flag once;
    std::call_once(once, [] { QImageReader::setAllocationLimit(kAllocationLimitMb); });
}

// The decoder's warnings of the current thread's read: a JPEG cut short only
// warns, and decodes with its missing part grey.
thread_local QStringList* tWarnings = nullptr;
std::atomic<QtMessageHandler> gPreviousHandler{nullptr};

void KeepDecoderWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (tWarnings != nullptr && type == QtWarningMsg) {
        tWarnings->append(text);
    }
    if (const QtMessageHandler previous = gPreviousHandler.load()) {
        previous(type, context, text);
    }
}

// Collects the warnings of one read on this thread. Installed at each read, not
// once: a handler installed later would otherwise cut it off for good.
class WarningsOfRead {
public:
    WarningsOfRead() {
        const QtMessageHandler was = qInstallMessageHandler(KeepDecoderWarnings);
        if (was != KeepDecoderWarnings) {
            gPreviousHandler.store(was);
        }
        tWarnings = &warnings;
    }
    ~WarningsOfRead() { tWarnings = nullptr; }
    WarningsOfRead(const WarningsOfRead&) = delete;
    WarningsOfRead& operator=(const WarningsOfRead&) = delete;

    QStringList warnings;
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

qint64 Pixels(QSize size) {
    return qint64(size.width()) * size.height();
}

PictureReader::Result Failed(PictureReader::Failure failure, const QString& reason) {
    PictureReader::Result result;
    result.failure = failure;
    result.reason = reason;
    return result;
}

// The first bytes of a regular file, which tell its type; empty when it can't be read.
QByteArray Head(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(HeifDecoder::kHeadBytes) : QByteArray();
}

} // namespace

PictureReader::PictureReader(const QString& path) {
    // Typed from the file system before it is opened: a pipe or a device would block.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        _refusal =
            Failed(Failure::NotAPictureFile, QStringLiteral("Not a picture file: %1").arg(path));
        return;
    }
    if (HeifDecoder::IsHeif(Head(path))) {
        _heif = std::make_unique<HeifDecoder>(path);
        _refusal = _heif->Refusal();
        _stored = _heif->Size(); // already upright
    } else {
        _reader.setFileName(path);
        _reader.setAutoTransform(true);
        _stored = _reader.size();
    }
    if (Pixels(_stored) > kMaxPhotoPixels || _stored.width() > kMaxPhotoSide ||
        _stored.height() > kMaxPhotoSide) {
        _refusal = Failed(Failure::TooLarge, QStringLiteral("Picture too large: %1 x %2")
                                                 .arg(_stored.width())
                                                 .arg(_stored.height()));
    } else if (_stored.isValid()) {
        _photo =
            !_heif && _reader.transformation().testFlag(QImageIOHandler::TransformationRotate90)
                ? _stored.transposed()
                : _stored;
    }
}

PictureReader::~PictureReader() = default;

QSize PictureReader::HeldSize(QSize photo, int divisor) {
    const auto scaled = [photo](int by) {
        // Rounded down: Qt's JPEG decoder then scales by exactly 1/by.
        return by == 1 ? photo
                       : QSize(std::max(1, photo.width() / by), std::max(1, photo.height() / by));
    };
    while (Pixels(scaled(divisor)) > kPixelBudget) {
        divisor *= 2;
    }
    return scaled(divisor);
}

PictureReader::Result PictureReader::Decode(int divisor) {
    if (_refusal.failure != Failure::None) {
        return _refusal;
    }
    const QSize held = HeldSize(_stored, divisor);
    if (_heif) {
        Result result = _heif->Decode(held);
        result.photoSize = result.picture.isNull() ? QSize() : _photo;
        return result;
    }
    AllowLargestDecode();
    const bool scaled = _photo.isValid() && held != _stored;
    if (scaled) {
        _reader.setScaledSize(held);
    }
    const WarningsOfRead read;
    Result result;
    result.picture = _reader.read();
    if (result.picture.isNull()) {
        return Failed(FailureOf(_reader.error()), _reader.errorString());
    }
    const QStringList cut =
        read.warnings.filter(QLatin1String("premature end"), Qt::CaseInsensitive);
    if (!cut.isEmpty()) {
        return Failed(Failure::Damaged,
                      QStringLiteral("damaged picture (%1)").arg(cut.first().trimmed()));
    }
    result.photoSize = scaled ? _photo : result.picture.size();
    return result;
}
