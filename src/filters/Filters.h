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
    // Warmer: R = trunc(R * 1.25) capped, B = trunc(B * 0.75).
    static void IncreaseHotColors(QuorelImage* image);
    // Colder: R = trunc(R * 0.75), B = trunc(B * 1.25) capped.
    static void IncreaseColdColors(QuorelImage* image);
    // One stop brighter: each channel 2 * v (integer), capped.
    static void IncreaseExposureX2(QuorelImage* image);
    // One stop darker: each channel trunc(v * 0.5).
    static void DecreaseExposureX2(QuorelImage* image);
    // Grain: a generator of its own, seeded with 0 every call, draws n per pixel;
    // f = (n mod 1500) / 10000 + 0.85, each channel trunc(v * f). Never brightens.
    static void Noise(QuorelImage* image);
    // Yellowed: y = trunc((R * 0.3 + G * 0.59) + B * 0.11) capped; B = trunc(y * 0.65).
    static void Vergilben(QuorelImage* image);
    // ArtsyFilter, Vergilben, DecreaseContrast, Noise, Soften, in this order.
    static void OldTimeFilter(QuorelImage* image);
    // Desaturize, Posterize, then four half-size copies (source ((2y) mod H,
    // (2x) mod W)) into the back buffer by quadrant: top left (r, 0, 0), top right
    // (r, g, 0), bottom left (0, 0, b), bottom right (0, g, 0); then swap.
    static void PopArtPoster(QuorelImage* image);
    // Desaturize, IncreaseContrast, ClassicFrame.
    static void Photomat_old(QuorelImage* image);
    // CenterFocus.
    static void TestFilter(QuorelImage* image);
    // Not a filter: 10 for the operation type 4, 10,000,000 for every other.
    static int32_t Priority(int32_t operationType);

    // --- further spatial ------------------------------------------------------------
    // 18 x 18 box mean over the plane read as one run: sum of the front values at
    // i + dy * W + dx, dy and dx from -9 to 8, times 0.0030864198, truncated, no
    // clamp; then swap. A pixel whose window would leave the plane keeps its value.
    static void Blur(QuorelImage* image);
    // GaussBlurToBackBuffer with the radius, then BlendBackBuffer(1): the mean of
    // the picture and its blurred copy, capped.
    static void GaussBlur(QuorelImage* image, int32_t radius);
    // Each channel trunc(v * factor), capped; no floor (a negative factor negates).
    static void BlendWithColor(QuorelImage* image, float red, float green, float blue);
    // Transposition: back[x * H + y] = front[y * W + x] for red, green and blue;
    // swap; width and height exchanged. Alpha is swapped, not rearranged.
    static void RotateCW(QuorelImage* image);
    // A real quarter turn counter-clockwise, alpha included: front (x, y) goes to
    // column y, row W - 1 - x of the H-wide result; swap; width and height exchanged.
    static void RotateCCW(QuorelImage* image);
    // Light image (InitEmpty): 255 inside the bar trunc(0.1W) < x < trunc(0.9W),
    // trunc(0.9125H) < y < trunc(0.92H), plus 2 * trunc(max(0, r - d) / r * 50),
    // d the distance to (0.5W, 0.92H), r = 0.5H; GaussBlurToBackBuffer radius 45;
    // back = 2 * the light's blurred planes; BlendBackBuffer(2).
    static void NeonLight(QuorelImage* image);
    // R = 0.75H, cx = 0.5W. Back = highlight + glow, then BlendBackBuffer(2). With
    // d1 the distance to (cx, -0.25H): h = 150 - ((R - (R - d1)) / R) * 150, trunc(h)
    // if d1 <= R and h <= 50, else 0. Glow: trunc(max(0, R - d2) / R * 50), d2 the
    // distance to (cx, H).
    static void GlassButton(QuorelImage* image);
    // Along each row from x = 1 (rows from 1): v = min(255, |R[i] - R[i - 1]|),
    // the left value already replaced; front and back red, green, blue = v.
    // Row 0 and column 0 are left as they are; no swap.
    static void ReliefImage(QuorelImage* image);

    // --- saturation -------------------------------------------------------------------
    // Each pixel with a hue (ImageTools::Hue of its packed colour) becomes
    // ColorFromHsb(hue, saturation / 255, brightness / 255) * 255, truncated and
    // capped; greys stay. Logs "Color: %d (%d)" (packed colour, red) at the
    // 1000th pixel and every 1000 after, as long as those pixels have a hue.
    static void IncreaseSaturation(QuorelImage* image);
    // Hue-saturation-value per pixel, the hue turned by hueShift degrees (remainder
    // in double), the saturation times factor capped at 100 %; saturation 0 or
    // below gives the grey trunc(V / 100 * 255). Results capped and floored; a hue
    // landing on 360 leaves the pixel unchanged.
    static void ChangeSaturation(QuorelImage* image, float factor, float hueShift);
};
