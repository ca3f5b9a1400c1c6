#include "render/PictureEncoder.h"
#include "support/CaseName.h"

#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

namespace {

// A real photograph (Debian's opencv-doc): its files shrink with the quality as a photo's do.
const QImage& Photo() {
    static const QImage photo(QStringLiteral("/usr/share/doc/opencv-doc/examples/data/baboon.jpg"));
    return photo;
}

// The photo as Qt's own writer encodes it at that quality.
qint64 WriterSize(const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.write(Photo());
    return bytes.size();
}

enum class Limit { None, OwnSize, OneByteBelow, Kibibyte };

struct FitRow {
    const char* name;
    const char* format;
    Limit limit;
    const char* written; // the final format; nullptr: nothing fits
    bool changed;
};

class FitToLimit : public ::testing::TestWithParam<FitRow> {};

TEST_P(FitToLimit, KeepsTheHighestQualityThatFits) {
    const FitRow& row = GetParam();
    ASSERT_FALSE(Photo().isNull()) << "install opencv-doc";
    const qint64 own = PictureEncoder::Encode(Photo(), row.format).bytes.size();
    const qint64 limit = row.limit == Limit::None       ? 0
                         : row.limit == Limit::OwnSize  ? own
                         : row.limit == Limit::Kibibyte ? 1024
                                                        : own - 1;
    const EncodedPicture encoded = PictureEncoder::Encode(Photo(), row.format, limit);
    if (row.written == nullptr) {
        EXPECT_TRUE(encoded.bytes.isEmpty());
        EXPECT_EQ(encoded.reason, "does not fit in 1,024 bytes even at JPEG quality 50");
        return;
    }
    ASSERT_FALSE(encoded.bytes.isEmpty()) << encoded.reason.toStdString();
    EXPECT_EQ(encoded.format, row.written);
    EXPECT_EQ(encoded.changed, row.changed);
    EXPECT_TRUE(limit == 0 || encoded.bytes.size() <= limit);
    EXPECT_EQ(QImage::fromData(encoded.bytes).size(), Photo().size());
    if (row.changed) { // one step up would not have fitted
        const char* writer = encoded.format == "jpg" ? "jpeg" : "webp";
        EXPECT_EQ(encoded.quality % PictureEncoder::kQualityStep, 0);
        EXPECT_TRUE(encoded.quality == PictureEncoder::kQuality ||
                    WriterSize(writer, encoded.quality + PictureEncoder::kQualityStep) > limit);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Encoder, FitToLimit,
    ::testing::Values(FitRow{"NoLimit", "jpg", Limit::None, "jpg", false},
                      FitRow{"FitsAtNinety", "jpg", Limit::OwnSize, "jpg", false},
                      FitRow{"JpegStepsDown", "jpg", Limit::OneByteBelow, "jpg", true},
                      FitRow{"WebpStepsDown", "webp", Limit::OneByteBelow, "webp", true},
                      FitRow{"PngBecomesJpeg", "png", Limit::OneByteBelow, "jpg", true},
                      FitRow{"TiffBecomesJpeg", "tif", Limit::OneByteBelow, "jpg", true},
                      FitRow{"NothingFits", "jpg", Limit::Kibibyte, nullptr, true}),
    CaseName());

} // namespace
