#pragma once

#include "batch/BatchOptions.h"
#include "image/Geometry.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

class FaceFinder;

// A photo read for one run of the renderer: the picture and the selection on it.
struct SourcePicture {
    QImage picture;      // null on failure
    FloatRect selection; // picture coordinates of `picture`: y up, origin lower-left
    QString error;       // why there is no picture, one line
    QString warning;     // what went otherwise than asked, one line; the picture is good
};

// Reads a photo for trellica-batch. Only what the fit needs is decoded: a
// JPEG whose selection is at least twice the processed side is decoded at
// 1/2, 1/4 or 1/8 of its size by the decoder itself, as long as the selection
// stays at least the processed side; a photo above the window's pixel budget is
// held at a reduced scale as the window holds it. Smaller selections decode at
// full size and give the window's bytes.
class PhotoSource {
public:
    PhotoSource() = delete;

    // Photos up to this many pixels are held whole (as the window holds them).
    static constexpr qint64 kPixelBudget = qint64(1) << 25;
    // Above this a file's header is not believed.
    static constexpr qint64 kMaxPhotoPixels = qint64(1) << 28;

    // A face selection is found on the picture as held (decoded whole, within
    // the budget) by finder; a photo without a face gets the centred square and
    // a warning.
    static SourcePicture Load(const QString& path, const BatchOptions& options,
                              const FaceFinder* finder = nullptr);

    // The selection on a photo of that (upright) size, in its pixels, origin
    // top-left. Empty when the choice has none.
    static QRect Selection(const BatchOptions& options, QSize photo);
    // The power of two (1 to 8) a photo is decoded smaller by.
    static int Divisor(QSize photo, const QRect& selection, bool decoderScales);
};
