#include "HeifWriter.h"

#include <libheif/heif.h>

namespace {

heif_error Append(heif_context*, const void* data, size_t size, void* bytes) {
    static_cast<QByteArray*>(bytes)->append(static_cast<const char*>(data), qsizetype(size));
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

// The picture as libheif's interleaved RGB(A): 8 bits, or 16 holding `bits`
// (little-endian, the 8-bit value's top bits repeated below).
heif_image* Pixels(const QImage& picture, int bits) {
    const bool alpha = picture.hasAlphaChannel();
    const bool deep = bits > 8;
    const QImage rgb =
        picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const heif_chroma chroma =
        deep ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
             : (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
    heif_image* image = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, chroma, &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), bits);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y) {
        uint8_t* to = plane + qsizetype(y) * stride;
        for (int i = 0; i < rgb.width() * (alpha ? 4 : 3); ++i) {
            const int v = rgb.constScanLine(y)[i];
            if (deep) {
                const int wide = (v << (bits - 8)) | (v >> (16 - bits));
                to[2 * i] = uint8_t(wide & 0xff);
                to[2 * i + 1] = uint8_t(wide >> 8);
            } else {
                to[i] = uint8_t(v);
            }
        }
    }
    return image;
}

} // namespace

QByteArray HeifWriter::Encoded(const QImage& picture, const Options& o) {
    heif_image* image = Pixels(picture, o.bits);
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_context_get_encoder_for_format(
        context, o.avif ? heif_compression_AV1 : heif_compression_HEVC, &encoder);
    if (!o.icc.isEmpty()) {
        heif_image_set_raw_color_profile(image, "prof", o.icc.constData(), size_t(o.icc.size()));
    }
    if (o.lossless) { // exact only as RGB, 4:4:4: the identity matrix instead of YCbCr's
        heif_color_profile_nclx* nclx = heif_nclx_color_profile_alloc();
        nclx->matrix_coefficients = heif_matrix_coefficients_RGB_GBR;
        heif_image_set_nclx_color_profile(image, nclx);
        heif_nclx_color_profile_free(nclx);
        heif_encoder_set_lossless(encoder, 1);
        heif_encoder_set_parameter(encoder, "chroma", "444");
    } else {
        heif_encoder_set_lossy_quality(encoder, o.quality);
    }
    heif_encoder_set_parameter(encoder, o.avif ? "speed" : "preset",
                               o.avif ? (o.fast ? "9" : "7") : (o.fast ? "ultrafast" : "fast"));
    heif_encoding_options* encoding = heif_encoding_options_alloc();
    encoding->image_orientation = heif_orientation(o.orientation);
    QByteArray bytes;
    heif_writer writer{1, Append};
    const bool written =
        heif_context_encode_image(context, image, encoder, encoding, nullptr).code == 0 &&
        heif_context_write(context, &writer, &bytes).code == 0;
    heif_encoding_options_free(encoding);
    heif_encoder_release(encoder);
    heif_context_free(context);
    heif_image_release(image);
    return written ? bytes : QByteArray();
}
