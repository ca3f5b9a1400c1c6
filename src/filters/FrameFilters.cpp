#include "filters/Filters.h"

#include "filters/LookScale.h"
#include "filters/PointSteps.h"
#include "filters/RowBands.h"
#include "filters/ScaledLooks.h"
#include "filters/ToneMath.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <vector>

// Frame looks: white bands drawn over the front colour planes, and the
// photo-booth strip built from them, at the stated size and larger. Alpha and
// back buffer are not touched.

namespace {

constexpr float kFrameShare = 0.05f;  // frame width, of the mean side
constexpr int64_t kInstantBottom = 4; // the instant photo's bottom band, in frame widths
constexpr int32_t kWhite = 255;
constexpr int32_t kBlack = 0;
constexpr int32_t kStripScale = 4; // the strip shows the picture at a quarter size
constexpr float kStripShift = 1.5f;

// b = truncate(((W + H) / 2) * 0.05), the mean an integer division, of the
// stated picture (the picture's size at the scale's stated side), then scaled.
int64_t FrameWidth(int32_t w, int32_t h, const LookScale& scale) {
    const int64_t mean = (int64_t(scale.StatedSide(w)) + scale.StatedSide(h)) / 2;
    return scale.Count(PixelMath::Truncate(static_cast<float>(mean) * kFrameShare));
}

// White where x < b, x > W - b, i < W * b or i > n - bottomBands * W * b, for
// pixel index i = y * W + x from 0 to n - 1. Each test bounds x from one side,
// so each row whitens at most one run at its start and one at its end.
struct WhiteBands {
    int64_t w;
    int64_t n;
    int64_t b;
    int64_t bottomBands;

    void Row(int64_t y, const std::array<int32_t*, 3>& rows) const {
        if (y >= (w > 0 ? n / w : 0)) {
            return;
        }
        const int64_t first = y * w;
        const int64_t left = std::clamp<int64_t>(std::max(b, w * b - first), 0, w);
        const int64_t right =
            std::clamp<int64_t>(std::min(w - b, n - bottomBands * w * b - first), left - 1, w - 1);
        for (int32_t* row : rows) {
            std::fill(row, row + left, kWhite);
            std::fill(row + right + 1, row + w, kWhite);
        }
    }
};

WhiteBands BandsOf(QuorelImage& image, int64_t n, int64_t bottomBands, const LookScale& scale) {
    return {image.Width(), n, FrameWidth(image.Width(), image.Height(), scale), bottomBands};
}

void HoldBands(const WhiteBands& bands, PointSteps& held) {
    held.AddRows([bands](int32_t y, const std::array<int32_t*, 3>& rows) { bands.Row(y, rows); });
}

void WhiteFrame(QuorelImage& image, int64_t n, int64_t bottomBands, const LookScale& scale) {
    const WhiteBands bands = BandsOf(image, n, bottomBands, scale);
    for (int64_t y = 0; y < image.Height(); ++y) {
        const int64_t at = y * bands.w;
        bands.Row(y, {image.Red() + at, image.Green() + at, image.Blue() + at});
    }
}

// The framed grey picture (Desaturize, IncreaseContrast, then ClassicFrame's
// white) at one pixel of the planes as they are.
struct FramedGrey {
    const int32_t* red;
    const int32_t* green;
    const int32_t* blue;
    int64_t w;
    int64_t n;
    int64_t b;

    int32_t At(int64_t x, int64_t y) const {
        const int64_t i = y * w + x;
        if (x < b || x > w - b || i < w * b || i > n - w * b) {
            return kWhite;
        }
        return ToneMath::Contrast(ToneMath::Grey(red[i], green[i], blue[i]), ToneMath::kContrastUp);
    }
};

// The strip's measures: qw, qh, the move sh = truncate(qw * 1.5) of its columns
// 0..qw+1, how many of them land inside the picture, and the columns they leave.
struct StripMeasures {
    int64_t qw;
    int32_t qh;
    int64_t shift;
    int64_t moved;
    int64_t vacated;
};

StripMeasures MeasureStrip(int32_t w, int32_t h) {
    const int64_t qw = w / kStripScale;
    const int64_t shift = PixelMath::Truncate(static_cast<float>(qw) * kStripShift);
    const int64_t width = qw + 2;
    return {qw, h / kStripScale, shift, std::min<int64_t>(width, w - shift),
            std::min<int64_t>({shift, width, w})};
}

// Columns from..to-1 of a row of the strip moved by offset: the strip's values
// where they fall, black beyond its column qw.
void PutStrip(int32_t* row, int64_t from, int64_t to, const int32_t* strip, int64_t offset,
              int64_t qw) {
    const int64_t copied = std::max(from, std::min(to, offset + qw + 1));
    std::copy(strip + (from - offset), strip + (copied - offset), row + from);
    std::fill(row + copied, row + std::max(copied, to), kBlack);
}

// A row of the result from its strip row: black where the strip left, the
// strip where it moved to, and the unmoved strip or black elsewhere. On
// pictures narrower than 16 pixels the moved strip overlaps where it was (it
// moves intact, as memmove would) and what would land past the edge is dropped.
void StripRow(int32_t* row, int64_t w, const StripMeasures& m, const int32_t* strip) {
    const int64_t land = m.shift + std::max<int64_t>(m.moved, 0);
    const int64_t movedTo = m.shift > 0 ? std::min(land, w) : m.shift;
    std::fill(row, row + m.vacated, kBlack);
    PutStrip(row, m.vacated, std::max(m.vacated, m.shift), strip, 0, m.qw);
    PutStrip(row, m.shift, movedTo, strip, m.shift, m.qw);
    PutStrip(row, std::max(movedTo, m.vacated), w, strip, 0, m.qw);
}

// The photo-booth strip over the framed grey picture: rows before qh take every
// fourth pixel of every fourth row, columns 0..qw, and later rows repeat the row
// qh above them (pictures under 4 rows keep their own rows); everything else is
// black; then the strip moves to the middle. Every pixel of the result depends
// only on those few pixels of the framed picture, so they alone are framed and
// greyed, into the strip's rows (from the untouched planes, in two bands on a
// large picture); Row then makes any row of the result from them.
class PhotoStripRows {
public:
    PhotoStripRows(QuorelImage& image, int64_t b)
        : _w(image.Width()), _h(image.Height()), _m(MeasureStrip(_w, _h)), _side(size_t(_m.qw) + 1),
          _strip(size_t(_m.qh > 0 ? _m.qh : _h) * _side) {
        const FramedGrey framed{image.Red(), image.Green(),        image.Blue(),
                                _w,          image.DataSize() / 4, b};
        const int32_t stripRows = _m.qh > 0 ? _m.qh : _h;
        const int32_t split = RowBands::Split(_h, int64_t(_w) * _h);
        RowBands::Run(
            stripRows, _m.qh > 0 ? split / kStripScale : stripRows, [&](int32_t from, int32_t to) {
                for (int32_t k = from; k < to; ++k) {
                    for (int64_t x = 0; x <= _m.qw; ++x) {
                        const int64_t c = _m.qh > 0 ? kStripScale * x : x; // at most W
                        _strip[size_t(k) * _side + size_t(x)] = framed.At(
                            c >= _w ? c - _w : c, _m.qh > 0 ? int64_t(kStripScale) * k : k);
                    }
                }
            });
    }

    // The strip reads rows k * every for k < count of the picture, no others.
    static std::pair<int32_t, int32_t> RowsRead(int32_t w, int32_t h) {
        const int32_t qh = MeasureStrip(w, h).qh;
        return qh > 0 ? std::pair{kStripScale, qh} : std::pair{1, h};
    }

    // Row y of the result into the three planes' rows.
    void Row(int32_t y, const std::array<int32_t*, 3>& rows) const {
        const int32_t* strip = _strip.data() + size_t(_m.qh > 0 ? y % _m.qh : y) * _side;
        for (int32_t* row : rows) {
            StripRow(row, _w, _m, strip);
        }
    }

    // Every row of the result, in two bands on a large picture.
    void AllRows(QuorelImage& image) const {
        RowBands::Run(_h, RowBands::Split(_h, int64_t(_w) * _h), [&](int32_t from, int32_t to) {
            for (int32_t y = from; y < to; ++y) {
                const int64_t at = int64_t(y) * _w;
                Row(y, {image.Red() + at, image.Green() + at, image.Blue() + at});
            }
        });
    }

private:
    int32_t _w;
    int32_t _h;
    StripMeasures _m;
    size_t _side;
    std::vector<int32_t> _strip;
};

void Frame(QuorelImage& image, const LookScale& scale) {
    WhiteFrame(image, image.DataSize() / 4, 1, scale);
}

void Instant(QuorelImage& image, const LookScale& scale) {
    WhiteFrame(image, image.PixelCount(), kInstantBottom, scale);
}

// The strip's quarter size and its move are shares of the picture: only the
// frame's width scales.
void PhotoStrip(QuorelImage& image, const LookScale& scale) {
    if (image.Width() <= 0 || image.Height() <= 0) {
        return;
    }
    PhotoStripRows(image, FrameWidth(image.Width(), image.Height(), scale)).AllRows(image);
}

} // namespace

void Filters::ClassicFrame(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    Frame(*image, LookScale(1.0f));
}

void Filters::PolaroidFilter(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    Instant(*image, LookScale(1.0f));
}

void Filters::Photomat(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    PhotoStrip(*image, LookScale(1.0f));
}

void ScaledLooks::ClassicFrame(QuorelImage* image, float scale) {
    LookScale::Run(image, scale, &Filters::ClassicFrame, &Frame);
}

void ScaledLooks::PolaroidFilter(QuorelImage* image, float scale) {
    LookScale::Run(image, scale, &Filters::PolaroidFilter, &Instant);
}

void ScaledLooks::Photomat(QuorelImage* image, float scale) {
    LookScale::Run(image, scale, &Filters::Photomat, &PhotoStrip);
}

void ScaledLooks::ClassicFrame(QuorelImage& image, const LookScale& scale, PointSteps& held) {
    HoldBands(BandsOf(image, image.DataSize() / 4, 1, scale), held);
}

void ScaledLooks::PolaroidFilter(QuorelImage& image, const LookScale& scale, PointSteps& held) {
    HoldBands(BandsOf(image, image.PixelCount(), kInstantBottom, scale), held);
}

void ScaledLooks::Photomat(QuorelImage& image, const LookScale& scale, PointSteps& held) {
    if (image.Width() <= 0 || image.Height() <= 0) {
        held.Flush(image);
        return;
    }
    // The strip reads the rows as the looks before left them; every row is
    // then made afresh, so the others need not be.
    const auto [every, count] = PhotoStripRows::RowsRead(image.Width(), image.Height());
    held.FlushRows(image, every, count);
    auto rows = std::make_shared<const PhotoStripRows>(
        image, FrameWidth(image.Width(), image.Height(), scale));
    held.MakeRows([rows](int32_t y, const std::array<int32_t*, 3>& row) { rows->Row(y, row); });
}
