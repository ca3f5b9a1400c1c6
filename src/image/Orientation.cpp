#include "image/Orientation.h"

namespace {

constexpr int kQuarters = 4;

} // namespace

Orientation Orientation::Then(PictureTurns::Turn turn) const {
    using Turn = PictureTurns::Turn;
    Orientation next = *this;
    if (turn == Turn::Flip) {
        next.mirrored = !mirrored;
        next.straighten = -straighten;
        return next;
    }
    const int quarters = turn == Turn::Right ? 1 : turn == Turn::HalfTurn ? 2 : 3;
    // Turning a mirrored picture clockwise turns the unmirrored one the other way.
    next.quarterTurns = (quarterTurns + (mirrored ? kQuarters - quarters : quarters)) % kQuarters;
    return next;
}

QImage Orientation::Apply(const QImage& picture) const {
    using Turn = PictureTurns::Turn;
    constexpr Turn kByQuarters[] = {Turn::Right, Turn::Right, Turn::HalfTurn, Turn::Left};
    QImage turned =
        quarterTurns == 0 ? picture : PictureTurns::Turned(picture, kByQuarters[quarterTurns]);
    if (mirrored) {
        turned = PictureTurns::Turned(turned, Turn::Flip);
    }
    return straighten == 0.0f ? turned : PictureTurns::Straightened(turned, straighten);
}

QSize Orientation::Apply(QSize size) const {
    const QSize turned = quarterTurns % 2 == 1 ? size.transposed() : size;
    return straighten == 0.0f ? turned : PictureTurns::StraightenedSize(turned, straighten);
}
