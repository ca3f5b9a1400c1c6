#pragma once

#include "image/Geometry.h"

#include <QRect>
#include <QSize>
#include <optional>

class FaceFinder;
class QImage;

// One proposed selection, the same square in both conventions: `pixels` in the
// picture's pixels with the origin at the top-left (as image editors and
// `--select X,Y,W,H` show it), `picture` in picture coordinates (y up, origin
// at the lower-left, 32-bit floats), the rectangle the crop takes.
struct SelectionProposal {
    QRect pixels;
    FloatRect picture;
};

// The selections the window and trellica-batch offer before the user draws one.
class SelectionProposals {
public:
    SelectionProposals() = delete;

    // The largest centred square.
    static SelectionProposal CenteredSquare(const QSize& picture);
    // A square around a face given in pixels: the face takes about half the
    // side, the eyes sit a little above the middle, and the square is moved,
    // or shrunk to the picture's short side, to stay inside the picture.
    static SelectionProposal FaceSquare(const QRect& face, const QSize& picture);
    // The square around the largest face the finder sees; nothing without one.
    static std::optional<SelectionProposal> FaceSquare(const QImage& picture,
                                                       const FaceFinder& finder);
    // A rectangle in pixels as picture coordinates on a picture of that height.
    static FloatRect ToPictureCoords(const QRect& pixels, int pictureHeight);
};
