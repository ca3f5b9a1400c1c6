// Arbitrary sequences of pointer events and key presses (any coordinates and
// steps, NaN and infinities included, any modifiers) through the crop view's gesture machine, then
// the crop of a picture by the resulting selection.
#include "fuzz/support/FuzzApplication.h"
#include "fuzz/support/FuzzInput.h"
#include "image/ImageTools.h"
#include "views/CropGesture.h"

#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureFuzzApplication();
    FuzzInput in(data, size);
    CropGesture gesture(in.AnyFloat(), in.AnyFloat());
    const float pictureWidth = float(in.IntIn(1, 64));
    const float pictureHeight = float(in.IntIn(1, 64));
    gesture.Fit(pictureWidth, pictureHeight, in.AnyFloat(), in.AnyFloat());
    while (in.Remaining() > 0) {
        const uint8_t event = in.Take<uint8_t>();
        const float x = in.AnyFloat();
        const float y = in.AnyFloat();
        switch (event % 6) {
        case 0:
            gesture.Click(x, y, event & 0x10, event & 0x20);
            break;
        case 1:
        case 2:
            gesture.Move(x, y);
            break;
        case 3:
            gesture.Refit(x, y);
            break;
        case 4:
            gesture.Key(x, y, in.AnyFloat(), in.AnyFloat());
            break;
        default:
            gesture.Fit(pictureWidth, pictureHeight, x, y);
            break;
        }
    }
    // The selection as the pipeline reads it, cut out of a picture of that size.
    const QRectF crop = gesture.CropCoords(pictureWidth, pictureHeight);
    QImage picture(int(pictureWidth), int(pictureHeight), QImage::Format_RGB32);
    picture.fill(Qt::red);
    ImageTools::CutOutImage(picture, FloatRect{float(crop.x()), float(crop.y()),
                                               float(crop.width()), float(crop.height())});
    return 0;
}
