#include "image/HeifDecoder.h"

#include "image/HevcDecoder.h"

#include <QColorSpace>
#include <QFile>
#include <QSysInfo>
#include <libheif/heif.h>
#include <mutex>

namespace {

using Failure = PictureReader::Failure;

// Registers libheif's decoders, and ours for HEVC, once for the process; they
// stay until it ends.
void InitHeif() {
    static std::once_flag once;
    std::call_once(once, [] {
        heif_init(nullptr);
        HevcDecoder::Register();
    });
}

Failure FailureOf(const heif_error& error) {
    switch (error.code) {
    case heif_error_Input_does_not_exist:
        return Failure::Unreadable;
    case heif_error_Unsupported_filetype:
    case heif_error_Unsupported_feature:
        return Failure::Unsupported;
    case heif_error_Memory_allocation_error: // a size beyond libheif's security limits
        return Failure::TooLarge;
    default:
        return Failure::Damaged;
    }
}

PictureReader::Result Refused(const heif_error& error) {
    PictureReader::Result result;
    result.failure = FailureOf(error);
    const QString words = QString::fromUtf8(error.message);
    result.reason = result.failure == Failure::Damaged
                        ? QStringLiteral("damaged picture (%1)").arg(words)
                        : QStringLiteral("HEIF picture: %1").arg(words);
    return result;
}

// The colour description of the file's 'nclx' box: its primaries and its tone
// curve. Invalid for sRGB (nothing to convert) and for HDR curves Qt lacks.
QColorSpace SpaceOf(const heif_color_profile_nclx& nclx) {
    using Transfer = QColorSpace::TransferFunction;
    Transfer transfer = Transfer::SRgb; // also the camera curves of BT.601, 709 and 2020
    float gamma = 0.0f;
    switch (nclx.transfer_characteristics) {
    case heif_transfer_characteristic_linear:
        transfer = Transfer::Linear;
        break;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_M:
        transfer = Transfer::Gamma;
        gamma = 2.2f;
        break;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_B_G:
        transfer = Transfer::Gamma;
        gamma = 2.8f;
        break;
    case heif_transfer_characteristic_ITU_R_BT_2100_0_PQ:
    case heif_transfer_characteristic_ITU_R_BT_2100_0_HLG:
        return QColorSpace(); // shown as it is, as if sRGB
    default:
        break;
    }
    const bool srgbPrimaries = nclx.color_primaries == heif_color_primaries_ITU_R_BT_709_5 ||
                               nclx.color_primaries == heif_color_primaries_unspecified;
    if (srgbPrimaries && transfer == Transfer::SRgb) {
        return QColorSpace();
    }
    return QColorSpace(QPointF(nclx.color_primary_white_x, nclx.color_primary_white_y),
                       QPointF(nclx.color_primary_red_x, nclx.color_primary_red_y),
                       QPointF(nclx.color_primary_green_x, nclx.color_primary_green_y),
                       QPointF(nclx.color_primary_blue_x, nclx.color_primary_blue_y), transfer,
                       gamma);
}

// The picture's colour space as the file describes it: an ICC profile, else a
// colour description; invalid when it is sRGB or not described.
QColorSpace SpaceOf(const heif_image_handle* handle) {
    const size_t iccSize = heif_image_handle_get_raw_color_profile_size(handle);
    if (iccSize > 0) {
        QByteArray icc(qsizetype(iccSize), '\0');
        if (heif_image_handle_get_raw_color_profile(handle, icc.data()).code == heif_error_Ok) {
            return QColorSpace::fromIccProfile(icc);
        }
    }
    heif_color_profile_nclx* nclx = nullptr;
    const heif_error error = heif_image_handle_get_nclx_color_profile(handle, &nclx);
    const QColorSpace space =
        error.code == heif_error_Ok && nclx != nullptr ? SpaceOf(*nclx) : QColorSpace();
    heif_nclx_color_profile_free(nclx);
    return space;
}

// Spreads samples of `bits` bits over 16 in place (the top bits repeated
// below), so that 10 and 12-bit values become Qt's 16-bit channels.
void WidenTo16Bits(QImage& picture, int bits) {
    if (bits <= 8 || bits >= 16) {
        return;
    }
    const int down = 2 * bits - 16;
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<quint16*>(picture.scanLine(y));
        for (int i = 0; i < picture.width() * 4; ++i) {
            const quint16 v = row[i];
            row[i] = quint16((v << (16 - bits)) | (v >> down));
        }
    }
}

// 10 and 12-bit pictures come as 16-bit channels in the machine's byte order.
constexpr heif_chroma kDeepChroma = QSysInfo::ByteOrder == QSysInfo::LittleEndian
                                        ? heif_chroma_interleaved_RRGGBBAA_LE
                                        : heif_chroma_interleaved_RRGGBBAA_BE;

QImage::Format FormatOf(bool deep, bool alpha, bool premultiplied) {
    if (deep) {
        return premultiplied ? QImage::Format_RGBA64_Premultiplied : QImage::Format_RGBA64;
    }
    if (!alpha) {
        return QImage::Format_RGBX8888;
    }
    return premultiplied ? QImage::Format_RGBA8888_Premultiplied : QImage::Format_RGBA8888;
}

} // namespace

bool HeifDecoder::IsHeif(const QByteArray& head) {
    // Every HEIF file starts with its 'ftyp' box; libheif tells its brands.
    if (head.size() < 12 || head.mid(4, 4) != "ftyp") {
        return false;
    }
    InitHeif();
    return heif_check_filetype(reinterpret_cast<const uint8_t*>(head.constData()),
                               int(head.size())) != heif_filetype_no;
}

HeifDecoder::HeifDecoder(const QString& path) {
    InitHeif();
    _context = heif_context_alloc();
    heif_error error =
        heif_context_read_from_file(_context, QFile::encodeName(path).constData(), nullptr);
    if (error.code == heif_error_Ok) {
        error = heif_context_get_primary_image_handle(_context, &_handle);
    }
    if (error.code != heif_error_Ok) {
        _refusal = Refused(error);
        return;
    }
    _size = QSize(heif_image_handle_get_width(_handle), heif_image_handle_get_height(_handle));
}

HeifDecoder::~HeifDecoder() {
    if (_handle != nullptr) {
        heif_image_handle_release(_handle);
    }
    heif_context_free(_context);
}

PictureReader::Result HeifDecoder::Decode(QSize held) const {
    if (_handle == nullptr) {
        return _refusal;
    }
    const bool alpha = heif_image_handle_has_alpha_channel(_handle) != 0;
    const bool premultiplied = alpha && heif_image_handle_is_premultiplied_alpha(_handle) != 0;
    const bool deep = heif_image_handle_get_luma_bits_per_pixel(_handle) > 8;
    const heif_chroma chroma = deep ? kDeepChroma : heif_chroma_interleaved_RGBA;
    // Default options, not strict: libheif 1.15's strict decoding refuses only
    // odd colour descriptions, and loses the decoded picture when it does.
    heif_image* image = nullptr;
    const heif_error error =
        heif_decode_image(_handle, &image, heif_colorspace_RGB, chroma, nullptr);
    if (error.code != heif_error_Ok) {
        if (image != nullptr) {
            heif_image_release(image);
        }
        return Refused(error);
    }
    // The picture stands on libheif's pixels, released with it.
    int stride = 0;
    uint8_t* pixels = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image, heif_channel_interleaved);
    const int height = heif_image_get_height(image, heif_channel_interleaved);
    const int bits = heif_image_get_bits_per_pixel_range(image, heif_channel_interleaved);
    QImage picture(
        pixels, width, height, stride, FormatOf(deep, alpha, premultiplied),
        [](void* decoded) { heif_image_release(static_cast<heif_image*>(decoded)); }, image);
    if (picture.isNull()) {
        heif_image_release(image);
        return Refused({heif_error_Decoder_plugin_error, heif_suberror_Unspecified, "no pixels"});
    }
    // A turned picture keeps the rows of the stored one. Qt 6.4 copies whole
    // source rows when it converts between formats of one layout, which would
    // overrun a picture with narrower rows: such a picture is copied first.
    if (picture.bytesPerLine() != qsizetype(width) * (picture.depth() / 8)) {
        picture = picture.copy();
    }
    if (deep) {
        WidenTo16Bits(picture, bits);
    }
    if (held != picture.size()) {
        picture = picture.scaled(held, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    const QColorSpace space = SpaceOf(_handle);
    if (space.isValid() && space != QColorSpace(QColorSpace::SRgb)) {
        picture.setColorSpace(space);
        picture.convertToColorSpace(QColorSpace::SRgb);
    }
    PictureReader::Result result;
    result.picture =
        deep ? picture.convertToFormat(FormatOf(false, alpha, premultiplied)) : std::move(picture);
    return result;
}
