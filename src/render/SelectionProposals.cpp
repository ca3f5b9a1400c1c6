#include "render/SelectionProposals.h"

#include "render/FaceFinder.h"

#include <QImage>
#include <algorithm>
#include <cmath>

namespace {

// The face box takes this share of the square's side.
constexpr double kFaceShare = 0.5;
// The detector's box reaches from the brows to the chin; the eyes lie this far
// down it.
constexpr double kEyesInFace = 0.4;
// The eyes sit this far down the square: a little above the middle.
constexpr double kEyesInSquare = 0.42;

SelectionProposal Proposal(const QRect& pixels, const QSize& picture) {
    return {pixels, SelectionProposals::ToPictureCoords(pixels, picture.height())};
}

} // namespace

SelectionProposal SelectionProposals::CenteredSquare(const QSize& picture) {
    const int side = std::max(0, std::min(picture.width(), picture.height()));
    const QRect square((picture.width() - side) / 2, (picture.height() - side) / 2, side, side);
    return Proposal(square, picture);
}

SelectionProposal SelectionProposals::FaceSquare(const QRect& face, const QSize& picture) {
    const int shortSide = std::max(0, std::min(picture.width(), picture.height()));
    const int side = std::min(shortSide, int(std::lround(face.width() / kFaceShare)));
    const double centreX = face.x() + face.width() * 0.5;
    const double eyesY = face.y() + face.height() * kEyesInFace;
    const int left = int(std::lround(centreX - side * 0.5));
    const int top = int(std::lround(eyesY - side * kEyesInSquare));
    const QRect square(std::clamp(left, 0, std::max(0, picture.width() - side)),
                       std::clamp(top, 0, std::max(0, picture.height() - side)), side, side);
    return Proposal(square, picture);
}

std::optional<SelectionProposal> SelectionProposals::FaceSquare(const QImage& picture,
                                                                const FaceFinder& finder) {
    const std::optional<QRect> face = finder.LargestFace(picture);
    if (!face) {
        return std::nullopt;
    }
    return FaceSquare(*face, picture.size());
}

FloatRect SelectionProposals::ToPictureCoords(const QRect& pixels, int pictureHeight) {
    return FromQtRect(QRectF(pixels), pictureHeight);
}
