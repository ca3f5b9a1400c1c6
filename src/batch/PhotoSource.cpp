#include "batch/PhotoSource.h"

#include "render/Renderer.h"
#include "render/SelectionProposals.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <mutex>
#include <optional>

namespace {

constexpr int kMaxDivisor = 8; // the JPEG decoder scales by 1/2, 1/4 or 1/8

// Decoder warnings of the current thread's read, kept off the terminal.
thread_local QStringList* tWarnings = nullptr;
QtMessageHandler gPreviousHandler = nullptr;

void KeepDecoderWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (tWarnings != nullptr && type == QtWarningMsg) {
        tWarnings->append(text);
    } else if (gPreviousHandler != nullptr) {
        gPreviousHandler(type, context, text);
    }
}

// Collects the warnings of one read on this thread.
class WarningsOfRead {
public:
    WarningsOfRead() {
        static std::once_flag installed;
        std::call_once(installed,
                       [] { gPreviousHandler = qInstallMessageHandler(KeepDecoderWarnings); });
        tWarnings = &warnings;
    }
    ~WarningsOfRead() { tWarnings = nullptr; }
    WarningsOfRead(const WarningsOfRead&) = delete;
    WarningsOfRead& operator=(const WarningsOfRead&) = delete;

    QStringList warnings;
};

QSize Upright(QSize stored, QImageIOHandler::Transformations transformation) {
    return transformation.testFlag(QImageIOHandler::TransformationRotate90) ? stored.transposed()
                                                                            : stored;
}

int CeilDiv(int a, int b) {
    return (a + b - 1) / b;
}

// The decode step: the whole photo, divisor times smaller on each side. A
// truncated file counts as damaged; the decoder's other complaints don't.
QImage Decode(QImageReader& reader, QSize stored, int divisor, QString* error) {
    if (divisor > 1) {
        // The JPEG decoder's own output size, so nothing is resampled after it.
        reader.setScaledSize(
            QSize(CeilDiv(stored.width(), divisor), CeilDiv(stored.height(), divisor)));
    }
    WarningsOfRead read;
    QImage picture = reader.read();
    if (picture.isNull()) {
        *error = reader.errorString();
        return picture;
    }
    const QStringList cut =
        read.warnings.filter(QLatin1String("premature end"), Qt::CaseInsensitive);
    if (!cut.isEmpty()) {
        *error = QStringLiteral("damaged picture (%1)").arg(cut.first().trimmed());
        picture = QImage();
    }
    return picture;
}

// The selection in the decoded picture's coordinates: scaled as the picture
// was, then turned y-up (the only place where the top-left origin becomes the
// renderer's lower-left one).
FloatRect OnPicture(const QRect& selection, QSize photo, QSize picture) {
    const double sx = double(picture.width()) / photo.width();
    const double sy = double(picture.height()) / photo.height();
    const QRectF scaled(selection.x() * sx, selection.y() * sy, selection.width() * sx,
                        selection.height() * sy);
    return FromQtRect(scaled, picture.height());
}

QString Size(QSize size) {
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

QString Refusal(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return QStringLiteral("no such file");
    }
    // Typed from the file system, never opened: a pipe or a device would block.
    return info.isFile() ? QString() : QStringLiteral("not a picture file");
}

// The square around the largest face, or the centred square already there with a warning.
void SelectFace(SourcePicture& source, const FaceFinder* finder) {
    const std::optional<SelectionProposal> square =
        finder ? SelectionProposals::FaceSquare(source.picture, *finder) : std::nullopt;
    if (square) {
        source.selection = square->picture;
    } else {
        source.warning = QStringLiteral("no face found; the centred square is used");
    }
}

} // namespace

SourcePicture PhotoSource::Load(const QString& path, const BatchOptions& options,
                                const FaceFinder* finder) {
    SourcePicture source;
    source.error = Refusal(path);
    if (!source.error.isEmpty()) {
        return source;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid()) {
        source.error = reader.errorString();
        return source;
    }
    if (qint64(stored.width()) * stored.height() > kMaxPhotoPixels) {
        source.error = QStringLiteral("picture too large: %1").arg(Size(stored));
        return source;
    }
    const QSize photo = Upright(stored, reader.transformation());
    const QRect selection = Selection(options, photo);
    if (!selection.intersects(QRect(QPoint(0, 0), photo))) {
        source.error = QStringLiteral("the selection %1,%2,%3,%4 misses the photo (%5)")
                           .arg(selection.x())
                           .arg(selection.y())
                           .arg(selection.width())
                           .arg(selection.height())
                           .arg(Size(photo));
        return source;
    }
    // The face may be anywhere, so a face photo is decoded as the window holds it.
    const bool face = options.selection == SelectionChoice::Face;
    const bool decoderScales = reader.format() == "jpeg" && !face;
    source.picture =
        Decode(reader, stored, Divisor(photo, selection, decoderScales), &source.error);
    if (!source.picture.isNull()) {
        source.selection = OnPicture(selection, photo, source.picture.size());
        if (face) {
            SelectFace(source, finder);
        }
    }
    return source;
}

QRect PhotoSource::Selection(const BatchOptions& options, QSize photo) {
    switch (options.selection) {
    case SelectionChoice::Rectangle:
        return options.rectangle;
    case SelectionChoice::Face: // the fallback until the face is found
    case SelectionChoice::CenteredSquare:
        break;
    }
    const int side = std::min(photo.width(), photo.height());
    return QRect((photo.width() - side) / 2, (photo.height() - side) / 2, side, side);
}

int PhotoSource::Divisor(QSize photo, const QRect& selection, bool decoderScales) {
    int divisor = 1;
    // Within the budget, as the window holds a photo.
    while (qint64(photo.width() / divisor) * (photo.height() / divisor) > kPixelBudget) {
        divisor *= 2;
    }
    if (!decoderScales) {
        return divisor;
    }
    // Never so small that the fit would have to enlarge the selection.
    const int longest = std::max(selection.width(), selection.height());
    const int fit = int(Renderer::kProcessedSide);
    while (divisor < kMaxDivisor && longest / (divisor * 2) >= fit) {
        divisor *= 2;
    }
    return divisor;
}
