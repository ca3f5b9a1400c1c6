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

    // --- tone: each pixel from its own colour; alpha and back buffer untouched --------
    // Grey y = truncate((R * 0.3 + G * 0.59) + B * 0.11), capped, not floored,
    // into R, G, B. DataSize() / 4 pixels.
    static void Desaturize(QuorelImage* image);
    // c' = truncate((c - 127.5) * 1.25 + 127.5), capped, floored; per channel.
    static void IncreaseContrast(QuorelImage* image);
    // The same with 0.75: inputs 0..255 land in 31..223.
    static void DecreaseContrast(QuorelImage* image);
    // R' = truncate(R * 1.1) capped; G' = truncate(G * 0.95); B' = truncate(B * 0.65).
    static void Sepia(QuorelImage* image);
    // c' = truncate(c * 0.01) * 100 (the 100 on the integer): levels 0, 100, 200.
    // PixelCount() pixels.
    static void Posterize(QuorelImage* image);
    // Desaturize, then c' = truncate(y * component) per channel, capped, floored,
    // with the components read as float(colour.redF()) and so on.
    static void Colorize(QuorelImage* image, const QColor& colour);
    // Desaturize, then IncreaseContrast twice: hard black and white.
    static void ArtsyFilter(QuorelImage* image);

    // --- neighbourhood --------------------------------------------------------------
    // 3 x 3 convolutions of the interior (rows and columns 1..size-2): the nine
    // products front * weight added in tap order (-1,-1) (0,-1) (+1,-1) (-1,0)
    // (0,0) (+1,0) (+1,+1) (0,+1) (-1,+1), truncated, capped, floored, into the
    // back buffer, which is then swapped in (alpha included). The one-pixel
    // border keeps the picture's own values (copied from the front first).
    // Soften: centre 1/65, neighbours 8/65 (weights 8 and 1 scaled by 1 / 65).
    static void Soften(QuorelImage* image);
    // Sharpen: 5 x centre minus the four edge neighbours.
    static void Sharpen(QuorelImage* image);
    // Back buffer (colour planes, every pixel) = truncate(s * sum) clamped to
    // 0..255, where sum adds the (2r + 1)^2 front values around the pixel with
    // coordinates clamped into the picture and s = 1 / ((2r + 1)^2 - 2).
    // The front planes are unchanged; r = 0 gives s = -1; a negative r does nothing.
    static void GaussBlurToBackBuffer(QuorelImage* image, int32_t radius);
    // Box blur of radius 20, then front = truncate(front * m + back * (1 - m)),
    // no cap or floor, with m = powf(1 - (dx * dx + dy * dy) * k, 4), dx = W * 0.5 - x,
    // dy = H * 0.5 - y, k = 1 / (cx * cx + cy * cy): sharp centre, blurred corners.
    static void CenterFocus(QuorelImage* image);

    // --- poster and toy camera ------------------------------------------------------
    // IncreaseContrast; then back(x, y) = front((2x) mod W, (2y) mod H) with its hue
    // turned by 270 (top left), 90 (top right), 135 (bottom left) or 180 degrees
    // (bottom right; quadrants split at W / 2, H / 2) and its saturation times 1.5
    // (at most 100) through a float HSV round trip; then swap.
    static void PopArtPoster2(QuorelImage* image);
    // Each channel times f = 1 - (dx * dx + dy * dy) * k (as in CenterFocus),
    // truncated, no cap or floor; then Soften.
    static void ToyCam(QuorelImage* image);
    // DecreaseContrast, ToyCam, then with m = (W + H) / 2: black bands t =
    // truncate(m * 0.025) rows high and s = truncate(m * 0.1) columns wide (x < s,
    // x > W - s, i < t * W, i > N - t * W), a halved rim 2 pixels inside them,
    // and sprocket holes (length, gap and width L = truncate(s * 0.6), inset
    // o = truncate(s * 0.2)) white with grey (200) sides, in alternate runs of L rows.
    static void FilmStripFilter(QuorelImage* image);

    // --- frames: front colour planes only ----------------------------------------------
    // White where x < b, x > W - b, i < W * b or i > N - W * b, with
    // b = truncate(((W + H) / 2) * 0.05) and N = DataSize() / 4; b = 0 changes nothing.
    static void ClassicFrame(QuorelImage* image);
    // ClassicFrame with N = PixelCount() and a bottom band 4 * b rows high.
    static void PolaroidFilter(QuorelImage* image);
    // Desaturize, IncreaseContrast, ClassicFrame; then four copies of the framed
    // picture at a quarter size stacked in columns 0..W/4, everything right of
    // them black; then the strip moved right by truncate((W / 4) * 1.5) and the
    // columns it leaves black. The move never crosses the right edge.
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
