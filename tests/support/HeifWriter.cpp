#include "support/HeifWriter.h"

#include <cstring>
#include <libheif/heif.h>
#include <memory>

namespace {

template <class T, void (*Free)(T*)> struct Freer {
    void operator()(T* p) const { Free(p); }
};
void FreeImage(heif_image* image) {
    heif_image_release(image);
}
using Context = std::unique_ptr<heif_context, Freer<heif_context, heif_context_free>>;
using Image = std::unique_ptr<heif_image, Freer<heif_image, FreeImage>>;
using Encoder = std::unique_ptr<heif_encoder, Freer<heif_encoder, heif_encoder_release>>;
using EncodingOptions = std::unique_ptr<heif_encoding_options,
                                        Freer<heif_encoding_options, heif_encoding_options_free>>;

// The picture's pixels in libheif's interleaved RGB(A), 8 bits or 16 holding `bits`.
Image Pixels(const QImage& picture, int bits) {
    const bool alpha = picture.hasAlphaChannel();
    const int channels = alpha ? 4 : 3;
    const bool deep = bits > 8;
    const heif_chroma chroma =
        deep ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
             : (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
    const QImage bytes =
        picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    heif_image* raw = nullptr;
    heif_image_create(bytes.width(), bytes.height(), heif_colorspace_RGB, chroma, &raw);
    Image image(raw);
    heif_image_add_plane(raw, heif_channel_interleaved, bytes.width(), bytes.height(), bits);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(raw, heif_channel_interleaved, &stride);
    for (int y = 0; y < bytes.height(); ++y) {
        const uchar* from = bytes.constScanLine(y);
        uint8_t* to = plane + qsizetype(y) * stride;
        for (int i = 0; i < bytes.width() * channels; ++i) {
            if (deep) { // little-endian, the top bits repeated below
                const int v = (from[i] << (bits - 8)) | (from[i] >> (16 - bits));
                to[2 * i] = uint8_t(v & 0xff);
                to[2 * i + 1] = uint8_t(v >> 8);
            } else {
                to[i] = from[i];
            }
        }
    }
    return image;
}

void Configure(heif_encoder* encoder, const HeifWriter::Options& o) {
    if (o.lossless) {
        heif_encoder_set_lossless(encoder, 1);
        heif_encoder_set_parameter(encoder, "chroma", "444");
        if (o.avif) {
            heif_encoder_set_parameter(encoder, "lossless-alpha", "true");
        }
    } else {
        heif_encoder_set_lossy_quality(encoder, o.quality);
    }
    heif_encoder_set_parameter(encoder, o.avif ? "speed" : "preset",
                               o.avif ? (o.fast ? "9" : "7") : (o.fast ? "ultrafast" : "fast"));
}

heif_error Append(heif_context*, const void* data, size_t size, void* bytes) {
    static_cast<QByteArray*>(bytes)->append(static_cast<const char*>(data), qsizetype(size));
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

} // namespace

QByteArray HeifWriter::Encoded(const QImage& picture, const Options& options) {
    const Image image = Pixels(picture, options.bits);
    if (!options.icc.isEmpty()) {
        heif_image_set_raw_color_profile(image.get(), "prof", options.icc.constData(),
                                         size_t(options.icc.size()));
    }
    const Context context(heif_context_alloc());
    heif_encoder* raw = nullptr;
    heif_context_get_encoder_for_format(
        context.get(), options.avif ? heif_compression_AV1 : heif_compression_HEVC, &raw);
    const Encoder encoder(raw);
    if (!encoder) {
        return QByteArray();
    }
    Configure(raw, options);
    const EncodingOptions encoding(heif_encoding_options_alloc());
    encoding->image_orientation = heif_orientation(options.orientation);
    // Lossless only as RGB: the identity matrix instead of YCbCr's.
    const std::unique_ptr<heif_color_profile_nclx,
                          Freer<heif_color_profile_nclx, heif_nclx_color_profile_free>>
        nclx(heif_nclx_color_profile_alloc());
    encoding->save_two_colr_boxes_when_ICC_and_nclx_available = 1;
    if (options.lossless) {
        nclx->matrix_coefficients = heif_matrix_coefficients_RGB_GBR;
        nclx->full_range_flag = 1;
        heif_image_set_nclx_color_profile(image.get(), nclx.get());
    }
    if (heif_context_encode_image(context.get(), image.get(), raw, encoding.get(), nullptr).code !=
        heif_error_Ok) {
        return QByteArray();
    }
    QByteArray bytes;
    heif_writer writer{1, Append};
    return heif_context_write(context.get(), &writer, &bytes).code == heif_error_Ok ? bytes
                                                                                    : QByteArray();
}
