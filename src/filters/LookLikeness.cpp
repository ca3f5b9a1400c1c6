#include "filters/LookLikeness.h"

#include "filters/LookScale.h"
#include "filters/ScaledLooks.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace {

constexpr int32_t kOut = LookLikeness::kReducedSide;
constexpr double kFarApart = 255.0;

// Pixel x covers [kOut * x, kOut * (x + 1)) and reduced pixel i covers
// [size * i, size * (i + 1)): their overlap, an integer, weighs x in i.
int64_t Overlap(int64_t size, int32_t i, int32_t x) {
    const int64_t low = std::max<int64_t>(int64_t(kOut) * x, size * i);
    const int64_t high = std::min<int64_t>(int64_t(kOut) * (x + 1), size * (i + 1));
    return std::max<int64_t>(0, high - low);
}

// The weighted sums of one channel, first along each row, then down the columns;
// divided once by the whole weight of a reduced pixel, W * H.
std::vector<double> Reduce(const QImage& picture, int shift) {
    const int32_t w = picture.width();
    const int32_t h = picture.height();
    std::vector<int64_t> rows(size_t(h) * kOut, 0);
    for (int32_t y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int32_t x = 0; x < w; ++x) {
            const int64_t v = (line[x] >> shift) & 0xff;
            // A pixel overlaps at most two reduced columns, from x * kOut / W on.
            for (int32_t i = int32_t(int64_t(x) * kOut / w); i < kOut; ++i) {
                const int64_t o = Overlap(w, i, x);
                if (o == 0) {
                    break;
                }
                rows[size_t(y) * kOut + size_t(i)] += v * o;
            }
        }
    }
    std::vector<double> reduced(size_t(kOut) * kOut, 0.0);
    const double whole = double(w) * double(h);
    for (int32_t j = 0; j < kOut; ++j) {
        for (int32_t i = 0; i < kOut; ++i) {
            int64_t sum = 0;
            for (int32_t y = int32_t(int64_t(j) * h / kOut); y < h; ++y) {
                const int64_t o = Overlap(h, j, y);
                if (o == 0) {
                    break;
                }
                sum += rows[size_t(y) * kOut + size_t(i)] * o;
            }
            reduced[size_t(j) * kOut + size_t(i)] = double(sum) / whole;
        }
    }
    return reduced;
}

double MeanDifference(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0.0;
    for (size_t k = 0; k < a.size(); ++k) {
        sum += std::abs(a[k] - b[k]);
    }
    return sum / double(a.size());
}

} // namespace

double LookLikeness::Channels::Largest() const {
    return std::max({red, green, blue});
}

QImage LookLikeness::Processed(const QImage& photo, const FloatRect& selection, int32_t side,
                               const std::vector<size_t>& rows, const QColor& colorize) {
    const float s = static_cast<float>(side);
    const QImage fitted = ImageTools::ScaleCutOut(photo, selection, {s, s});
    const std::unique_ptr<QuorelImage> image =
        fitted.isNull() ? nullptr : QuorelImage::InitWithNSImage(fitted);
    if (!image) {
        return QImage();
    }
    const float scale = LookScale::ForSide(side).Factor();
    ScaledLooks::Chosen chosen;
    for (const size_t row : rows) {
        if (row < ScaledLooks::kLookCount) {
            chosen.set(row);
        }
    }
    ScaledLooks::ApplyChosen(chosen, image.get(), colorize, scale);
    return image->Preview();
}

LookLikeness::Channels LookLikeness::Measure(const QImage& photo, const FloatRect& selection,
                                             int32_t side, const std::vector<size_t>& rows,
                                             const QColor& colorize) {
    const int32_t stated = static_cast<int32_t>(LookScale::kStatedSide);
    return Difference(Processed(photo, selection, side, rows, colorize),
                      Processed(photo, selection, stated, rows, colorize));
}

LookLikeness::Channels LookLikeness::Difference(const QImage& a, const QImage& b) {
    if (a.isNull() || b.isNull()) {
        return {kFarApart, kFarApart, kFarApart};
    }
    const QImage pa = a.convertToFormat(QImage::Format_RGB32);
    const QImage pb = b.convertToFormat(QImage::Format_RGB32);
    constexpr std::array<int, 3> kShifts = {16, 8, 0}; // red, green, blue of a QRgb
    std::array<double, 3> d{};
    for (size_t c = 0; c < kShifts.size(); ++c) {
        d[c] = MeanDifference(Reduce(pa, kShifts[c]), Reduce(pb, kShifts[c]));
    }
    return {d[0], d[1], d[2]};
}
