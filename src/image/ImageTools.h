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
    // ScaleImage(CutOutImage(picture, rect), target), the same pixels, without
    // copying the cut when it lies inside the picture.
    static QImage ScaleCutOut(const QImage& picture, const FloatRect& rect, FloatSize target);
    // CutOutImage, then one line of text whose line box has its lower-left
    // corner at (textX, textY) in the input's y-up coordinates. The font's size
    // counts pixels on the picture. An invalid background colour draws no box.
    static QImage CutOutImagePlusText(const QImage& picture, const FloatRect& rect,
                                      const QString& text, const QFont& font, float textX,
                                      float textY, const QColor& textColour,
                                      const QColor& background);
    // The same with the text's size given apart, in pixels on the picture; the
    // font's own size is not looked at.
    static QImage CutOutImagePlusText(const QImage& picture, const FloatRect& rect,
                                      const QString& text, const QFont& font, float fontPixels,
                                      float textX, float textY, const QColor& textColour,
                                      const QColor& background);

    // --- colour model (packed colours: red bits 0-7, green 8-15, blue 16-23) --
    // hsb = (hue in degrees 0..<360, saturation (max - min) * 255 / max,
    // brightness = the largest channel); false, with hue 0, for a grey.
    static bool Hue(uint32_t colour, zvektor& hsb);
    // (hue in degrees, saturation 0..1, lightness 0..1) to red, green, blue 0..1
    // in place, by the hue-saturation-lightness model; a saturation of 0 gives
    // lightness * 255 in all three.
    static zvektor& ColorFromHsb(zvektor& hsl);
    // Hue-saturation-brightness to red, green and blue, each a whole number
    // 0..255, left in fBuffer()[0..2]. The hue is taken modulo 360, saturation
    // and brightness held in 0..1, anything not finite counts as 0.
    static void ColorFromHsb(double hue, double saturation, double brightness);
    // The colour with its saturation and brightness and the given hue; the
    // result carries all ones in bits 24-31.
    static uint32_t ConvertToTargetHue(uint32_t colour, float targetHue);
    // The colour with its own hue and brightness and its saturation times factor.
    static uint32_t IncreaseSaturation(uint32_t colour, float factor);
    // The scratch triple of the two conversions above: hue, saturation and
    // brightness, then red, green and blue. One per thread.
    static float* fBuffer();

    // --- final effects --------------------------------------------------------
    // The picture on a canvas of the set's background colour, with a drop
    // shadow and 10 % margin, a photo strip of four copies, a white frame and a
    // reflection as the set says. Null (and logged) when the picture is null.
    static QImage DoFinalEffects(const QImage& picture, const ImageEffectSet& set);
    // The picture's lowest `height` rows mirrored (its bottom row on top), the
    // picture's width wide, fading from opaque at the top to transparent at the
    // bottom. Null for a null picture or a height of 0.
    static QImage reflectedImage(const QImage& picture, uint32_t height);
    // Grey, white along the top row to black along the bottom row, linear.
    static QImage CreateGradientImage(int32_t width, int32_t height);
    // A transparent premultiplied ARGB surface with its own memory; null for
    // a size that is not positive or too large.
    static QImage MyCreateBitmapContext(int32_t width, int32_t height);
};
