#pragma once

#include <QColor>
#include <cstdint>

class QuorelImage;

// The pixel filters. What every operation shares, said once:
//
// - Each changes the given image in place and returns nothing; a null image
//   (and for Colorize an invalid colour) makes it do nothing at all.
// - Plane values are read as int32, converted to float for every non-integer
//   formula, and every product and sum is rounded to float in the order the
//   operation's comment gives (build with -ffp-contract=off; never reassociate).
//   Float constants are float literals. Conversion back truncates toward zero.
// - To cap is to turn 256 or more into 255; to floor is to turn a negative
//   value into 0. An operation caps or floors only where its comment says so.
// - Operations that read neighbours or move pixels write the back buffer while
//   reading the front planes, then swap (all four planes) or blend; plane
//   pointers are fetched again after any swap.
// - Pixel (x, y) is index y * W + x, row 0 at the top; W = Width(), H = Height().
class Filters {
public:
    Filters() = delete;

    // --- tone -------------------------------------------------------------------
    static void Desaturize(QuorelImage* image);
    static void IncreaseContrast(QuorelImage* image);
    static void DecreaseContrast(QuorelImage* image);
    static void Sepia(QuorelImage* image);
    static void Posterize(QuorelImage* image);
    static void Colorize(QuorelImage* image, const QColor& colour);
    static void ArtsyFilter(QuorelImage* image);

    // --- neighbourhood ------------------------------------------------------------
    static void Soften(QuorelImage* image);
    static void Sharpen(QuorelImage* image);
    static void GaussBlurToBackBuffer(QuorelImage* image, int32_t radius);
    static void CenterFocus(QuorelImage* image);

    // --- poster and toy camera ----------------------------------------------------
    static void PopArtPoster2(QuorelImage* image);
    static void ToyCam(QuorelImage* image);
    static void FilmStripFilter(QuorelImage* image);

    // --- frames -------------------------------------------------------------------
    static void ClassicFrame(QuorelImage* image);
    static void PolaroidFilter(QuorelImage* image);
    static void Photomat(QuorelImage* image);

    // --- further tone ---------------------------------------------------------------
    static void IncreaseHotColors(QuorelImage* image);
    static void IncreaseColdColors(QuorelImage* image);
    static void IncreaseExposureX2(QuorelImage* image);
    static void DecreaseExposureX2(QuorelImage* image);
    static void Noise(QuorelImage* image);
    static void Vergilben(QuorelImage* image);
    static void OldTimeFilter(QuorelImage* image);
    static void PopArtPoster(QuorelImage* image);
    static void Photomat_old(QuorelImage* image);
    static void TestFilter(QuorelImage* image);
    static int32_t Priority(int32_t operationType);

    // --- further spatial ------------------------------------------------------------
    static void Blur(QuorelImage* image);
    static void GaussBlur(QuorelImage* image, int32_t radius);
    static void BlendWithColor(QuorelImage* image, float red, float green, float blue);
    static void RotateCW(QuorelImage* image);
    static void RotateCCW(QuorelImage* image);
    static void NeonLight(QuorelImage* image);
    static void GlassButton(QuorelImage* image);
    static void ReliefImage(QuorelImage* image);

    // --- saturation -------------------------------------------------------------------
    static void IncreaseSaturation(QuorelImage* image);
    static void ChangeSaturation(QuorelImage* image, float factor, float hueShift);
};
