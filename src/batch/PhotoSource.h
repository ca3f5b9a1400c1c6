#pragma once

#include "batch/BatchOptions.h"
#include "image/Geometry.h"

#include <QImage>
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

    // A face selection is found on the picture as held (decoded whole, within
    // the budget) by finder; a photo without a face gets the centred square and
    // a warning.
    static SourcePicture Load(const QString& path, const BatchOptions& options,
                              const FaceFinder* finder = nullptr);
};
