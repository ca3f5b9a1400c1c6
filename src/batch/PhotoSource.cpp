#include "batch/PhotoSource.h"

#include "image/BitmapSurface.h"
#include "image/PictureReader.h"
#include "render/Renderer.h"
#include "render/SelectionProposals.h"

#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The selection on a photo of that (upright) size, in its pixels, origin
// top-left.
PhotoRectangle Selection(const BatchOptions& options, QSize photo) {
    switch (options.selection) {
    case SelectionChoice::Rectangle:
        return options.rectangle;
    case SelectionChoice::Face: // the fallback until the face is found
    case SelectionChoice::CenteredSquare:
        break;
    }
    const int side = std::min(photo.width(), photo.height());
    return PhotoRectangle{(photo.width() - side) / 2, (photo.height() - side) / 2, side, side};
}

// The power of two the decoder may shrink the photo by: never so far that the
// fit would have to enlarge the selection.
int Divisor(const PhotoRectangle& selection, int decoderDivisor, qint64 fit) {
    const qint64 longest = std::max(selection.width, selection.height);
    int divisor = 1;
    while (divisor < decoderDivisor && longest / (divisor * 2) >= fit) {
        divisor *= 2;
    }
    return divisor;
}

// The selection in the decoded picture's coordinates: scaled as the picture
// was, then turned y-up (the only place where the top-left origin becomes the
// renderer's lower-left one).
FloatRect OnPicture(const PhotoRectangle& selection, QSize photo, QSize picture) {
    const double sx = double(picture.width()) / photo.width();
    const double sy = double(picture.height()) / photo.height();
    const QRectF scaled(double(selection.x) * sx, double(selection.y) * sy,
                        double(selection.width) * sx, double(selection.height) * sy);
    return FromQtRect(scaled, picture.height());
}

// Whether the renderer can cut the selection out of the picture: the cut is
// as large as the selection, also where it lies beyond the picture.
bool Cuttable(const FloatRect& selection) {
    return BitmapSurface::IsAllocatable(qint64(std::round(double(selection.width))),
                                        qint64(std::round(double(selection.height))));
}

// A selection reaching so far beyond the photo that its cut can't be made is
// drawn at the processed size instead: a transparent picture with the photo
// small in it, which the renderer takes whole.
void DrawSmall(SourcePicture& source, const PhotoRectangle& selection, QSize photo, int side) {
    const double scale = double(side) / double(std::max(selection.width, selection.height));
    const QSize size(std::max(1, int(std::lround(double(selection.width) * scale))),
                     std::max(1, int(std::lround(double(selection.height) * scale))));
    QImage small(size, QImage::Format_ARGB32_Premultiplied);
    small.fill(Qt::transparent);
    QPainter painter(&small);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(double(-selection.x) * scale, double(-selection.y) * scale,
                             photo.width() * scale, photo.height() * scale),
                      source.picture);
    painter.end();
    source.picture = small;
    source.selection = FloatRect{0.0f, 0.0f, float(size.width()), float(size.height())};
}

// The reader's refusals in this program's words (the line names the photo);
// the decoder's own words as they are.
QString ErrorOf(const PictureReader::Result& read) {
    using Failure = PictureReader::Failure;
    return read.failure == Failure::NotAPictureFile ? QStringLiteral("not a picture file")
           : read.failure == Failure::TooLarge      ? read.reason.toLower()
                                                    : read.reason;
}

// Why the chosen selection gives nothing on a photo of that size; empty when it does.
QString Missed(const BatchOptions& options, QSize photo) {
    const PhotoRectangle s = Selection(options, photo);
    if (s.x < photo.width() && s.x + s.width > 0 && s.y < photo.height() && s.y + s.height > 0) {
        return QString();
    }
    return QStringLiteral("the selection %1,%2,%3,%4 misses the photo (%5 x %6)")
        .arg(s.x)
        .arg(s.y)
        .arg(s.width)
        .arg(s.height)
        .arg(photo.width())
        .arg(photo.height());
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
    if (!QFileInfo::exists(path)) {
        source.error = QStringLiteral("no such file");
        return source;
    }
    PictureReader reader(path);
    // The header's size spares the decode of a photo the selection misses.
    const Orientation& turn = options.orientation;
    // The processed picture's side: the decoder may shrink the photo down to it.
    const int side = options.set.ProcessedSide(options.networks);
    const QSize header = reader.PhotoSize().isValid() ? turn.Apply(reader.PhotoSize()) : QSize();
    source.error = header.isValid() ? Missed(options, header) : QString();
    if (!source.error.isEmpty()) {
        return source;
    }
    // The face may be anywhere, so a face photo is decoded as the window holds it.
    const bool face = options.selection == SelectionChoice::Face;
    PictureReader::Result read = reader.Decode(
        face ? 1 : Divisor(Selection(options, header), reader.DecoderDivisor(), side));
    if (!read.picture.isNull()) {
        read.picture = turn.Apply(read.picture);
        read.photoSize = turn.Apply(read.photoSize);
    }
    source.error = read.picture.isNull() ? ErrorOf(read) : Missed(options, read.photoSize);
    if (!source.error.isEmpty()) {
        return source;
    }
    source.picture = read.picture;
    const PhotoRectangle selection = Selection(options, read.photoSize);
    source.selection = OnPicture(selection, read.photoSize, read.picture.size());
    if (!Cuttable(source.selection)) {
        DrawSmall(source, selection, read.photoSize, side);
    }
    if (face) {
        SelectFace(source, finder);
    }
    return source;
}
