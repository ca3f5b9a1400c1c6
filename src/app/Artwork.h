#pragma once

#include <QImage>

// The pictures the application draws for itself: nothing is loaded from
// elsewhere.
class Artwork {
public:
    Artwork() = delete;

    // The picture the crop view shows at launch: a person in front of hills
    // and a lake at sunset, 1200 x 900.
    static QImage DefaultPicture();
    // The maker's logo, a small word mark on transparent ground.
    static QImage Logo();
    // The application's icon, side x side pixels: the logo's trellis on a
    // rounded sheet of paper, with a red bloom.
    static QImage AppIcon(int side);
    // What the text position picker shows under its cross-hair: a pale square
    // with a faint grid of thirds.
    static QImage PositionBackdrop();
};
