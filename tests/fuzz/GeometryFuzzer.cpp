// Arbitrary rectangles, sizes, texts and font sizes through crop, scale and text.
#include "fuzz/support/FuzzApplication.h"
#include "fuzz/support/FuzzInput.h"
#include "image/ImageTools.h"

#include <QApplication>
#include <QFont>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureFuzzApplication();
    FuzzInput in(data, size);
    const int width = in.IntIn(1, 64);
    const int height = in.IntIn(1, 64);
    QImage picture(width, height,
                   in.Take<uint8_t>() & 1 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    picture.fill(QColor::fromRgba(in.Take<uint32_t>()));

    const FloatRect rect{in.AnyFloat(), in.AnyFloat(), in.AnyFloat(), in.AnyFloat()};
    const FloatSize box{in.AnyFloat(), in.AnyFloat()};
    QFont font = QApplication::font();
    const float fontSize = in.AnyFloat();
    if (fontSize > 0 && fontSize < 1e6f) {
        font.setPointSizeF(fontSize);
    }
    const float textX = in.AnyFloat();
    const float textY = in.AnyFloat();
    const QColor background = in.Take<uint8_t>() & 1 ? QColor(Qt::white) : QColor();
    const QString text = QString::fromUtf8(in.Rest().left(200));

    const QImage cut = ImageTools::CutOutImage(picture, rect);
    ImageTools::ScaleImage(cut.isNull() ? picture : cut, box);
    ImageTools::CutOutImagePlusText(picture, rect, text, font, textX, textY, Qt::black, background);
    return 0;
}
