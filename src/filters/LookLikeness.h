#pragma once

#include "image/Geometry.h"

#include <QColor>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <vector>

// How alike the looks are at two sizes: the selection fitted into side x side
// with the looks at side / 512 (ScaledLooks), and fitted into 512 x 512 with the
// looks as stated, both reduced to 128 x 128 by exact box averages; for each
// channel, the mean absolute difference of the two reductions in levels of 255.
// Within kAlike levels in every channel, the two look alike.
class LookLikeness {
public:
    LookLikeness() = delete;

    static constexpr int32_t kReducedSide = 128;
    static constexpr double kAlike = 6.0;

    struct Channels {
        double red = 0.0;
        double green = 0.0;
        double blue = 0.0;
        double Largest() const;
    };

    // The looks of the rows (ScaledLooks rows, applied in increasing order) on the
    // selection fitted into side x side, at side / 512: the pipeline's processed
    // picture without text. Null when the selection gives no picture.
    static QImage Processed(const QImage& photo, const FloatRect& selection, int32_t side,
                            const std::vector<size_t>& rows, const QColor& colorize);
    // Processed at side against Processed at 512.
    static Channels Measure(const QImage& photo, const FloatRect& selection, int32_t side,
                            const std::vector<size_t>& rows, const QColor& colorize);
    // Both pictures reduced, then compared; a null picture differs by 255.
    static Channels Difference(const QImage& a, const QImage& b);
};
