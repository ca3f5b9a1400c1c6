#pragma once

#include "effects/ImageEffectSet.h"
#include "image/Geometry.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <cstdint>

class zvektor;

// Picture-level operations: every one returns a new picture owned by the caller
// and leaves its input untouched. A null QImage is "no picture".
class ImageTools {
public:
    ImageTools() = delete;

    // --- geometry -----------------------------------------------------------
    // The part of the picture under rect (y-up picture coordinates); parts
    // outside the picture stay transparent. Null for an empty or non-finite rect.
    static QImage CutOutImage(const QImage& picture, const FloatRect& rect);
    // The picture fitted inside target with its aspect kept; null when the
    // picture is null, the target not a positive finite size, or the fit empty.
    static QImage ScaleImage(const QImage& picture, FloatSize target);
    // CutOutImage, then one line of text whose line box has its lower-left
    // corner at (textX, textY) in the input's y-up coordinates. The font's size
    // counts pixels on the picture. An invalid background colour draws no box.
    static QImage CutOutImagePlusText(const QImage& picture, const FloatRect& rect,
                                      const QString& text, const QFont& font, float textX,
                                      float textY, const QColor& textColour,
                                      const QColor& background);

    // --- colour model (packed colours: red bits 0-7, green 8-15, blue 16-23) --
    static bool Hue(uint32_t colour, zvektor& hsb);
    static zvektor& ColorFromHsb(zvektor& hsl);
    static void ColorFromHsb(double hue, double saturation, double brightness);
    static uint32_t ConvertToTargetHue(uint32_t colour, float targetHue);
    static uint32_t IncreaseSaturation(uint32_t colour, float factor);
    // The per-thread scratch triple shared by the conversions above.
    static float* fBuffer();

    // --- final effects --------------------------------------------------------
    static QImage DoFinalEffects(const QImage& picture, const ImageEffectSet& set);
    static QImage reflectedImage(const QImage& picture, uint32_t height);
    static QImage CreateGradientImage(int32_t width, int32_t height);
    static QImage MyCreateBitmapContext(int32_t width, int32_t height);
};
