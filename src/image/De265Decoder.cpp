#include "image/De265Decoder.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <libde265/de265.h>
#include <libheif/heif.h>
#include <libheif/heif_plugin.h>
#include <thread>

namespace {

// Above libheif's own plugin (100).
constexpr int kPriority = 200;
constexpr int kMostThreads = 8;
constexpr size_t kLengthBytes = 4; // each NAL unit's length, big-endian, as HEIC stores it

constexpr heif_error kOk{heif_error_Ok, heif_suberror_Unspecified, "Success"};
constexpr heif_error kNoPicture{heif_error_Decoder_plugin_error, heif_suberror_Unspecified,
                                "the HEVC stream holds no picture"};
constexpr heif_error kCutNal{heif_error_Decoder_plugin_error, heif_suberror_End_of_data,
                             "an HEVC unit runs past its data"};

de265_decoder_context* Context(void* decoder) {
    return static_cast<de265_decoder_context*>(decoder);
}

const char* Name() {
    return "libde265 HEVC decoder, all cores";
}

int Supports(heif_compression_format format) {
    return format == heif_compression_HEVC ? kPriority : 0;
}

heif_error New(void** decoder) {
    de265_decoder_context* context = de265_new_decoder();
    const int threads = std::clamp(int(std::thread::hardware_concurrency()), 1, kMostThreads);
    de265_start_worker_threads(context, threads);
    *decoder = context;
    return kOk;
}

void Free(void* decoder) {
    de265_free_decoder(Context(decoder));
}

heif_error Push(void* decoder, const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t at = 0; at < size;) {
        if (size - at < kLengthBytes) {
            return kCutNal;
        }
        const size_t length = (size_t(bytes[at]) << 24) | (size_t(bytes[at + 1]) << 16) |
                              (size_t(bytes[at + 2]) << 8) | size_t(bytes[at + 3]);
        at += kLengthBytes;
        if (length > size - at) {
            return kCutNal;
        }
        de265_push_NAL(Context(decoder), bytes + at, int(length), 0, nullptr);
        at += length;
    }
    return kOk;
}

// The decoded frame's planes copied into a picture libheif owns, with the
// colour description of the stream.
heif_error Copied(const de265_image* frame, heif_image** out) {
    const de265_chroma chroma = de265_get_chroma_format(frame);
    const int planes = chroma == de265_chroma_mono ? 1 : 3;
    heif_error error = heif_image_create(
        de265_get_image_width(frame, 0), de265_get_image_height(frame, 0),
        planes == 1 ? heif_colorspace_monochrome : heif_colorspace_YCbCr, heif_chroma(chroma), out);
    const heif_channel channels[] = {heif_channel_Y, heif_channel_Cb, heif_channel_Cr};
    for (int c = 0; c < planes && error.code == heif_error_Ok; ++c) {
        const int width = de265_get_image_width(frame, c);
        const int height = de265_get_image_height(frame, c);
        const int bits = de265_get_bits_per_pixel(frame, c);
        error = heif_image_add_plane(*out, channels[c], width, height, bits);
        int from = 0;
        int to = 0;
        const uint8_t* source = de265_get_image_plane(frame, c, &from);
        uint8_t* target =
            error.code == heif_error_Ok ? heif_image_get_plane(*out, channels[c], &to) : nullptr;
        for (int y = 0; target != nullptr && source != nullptr && y < height; ++y) {
            std::memcpy(target + ptrdiff_t(y) * to, source + ptrdiff_t(y) * from,
                        size_t(width) * size_t((bits + 7) / 8));
        }
    }
    heif_color_profile_nclx* nclx = heif_nclx_color_profile_alloc();
    if (error.code == heif_error_Ok && nclx != nullptr) {
        // Values the standard does not know are left as libheif's defaults.
        heif_nclx_color_profile_set_color_primaries(
            nclx, uint16_t(de265_get_image_colour_primaries(frame)));
        heif_nclx_color_profile_set_transfer_characteristics(
            nclx, uint16_t(de265_get_image_transfer_characteristics(frame)));
        heif_nclx_color_profile_set_matrix_coefficients(
            nclx, uint16_t(de265_get_image_matrix_coefficients(frame)));
        nclx->full_range_flag = uint8_t(de265_get_image_full_range_flag(frame) != 0);
        heif_image_set_nclx_color_profile(*out, nclx);
    }
    heif_nclx_color_profile_free(nclx);
    if (error.code != heif_error_Ok && *out != nullptr) {
        heif_image_release(*out);
        *out = nullptr;
    }
    return error;
}

// The last frame of the stream (a photo has one).
heif_error Decode(void* decoder, heif_image** out) {
    de265_decoder_context* context = Context(decoder);
    de265_flush_data(context);
    *out = nullptr;
    heif_error error = kNoPicture;
    int more = 1;
    while (more != 0 && de265_decode(context, &more) == DE265_OK) {
        if (const de265_image* frame = de265_get_next_picture(context)) {
            if (*out != nullptr) {
                heif_image_release(*out);
            }
            error = Copied(frame, out);
            de265_release_next_picture(context);
        }
    }
    return *out != nullptr ? kOk : error;
}

// Version 1: libheif asks nothing of the later members.
const heif_decoder_plugin kPlugin{1,    Name, nullptr, nullptr, Supports, New,
                                  Free, Push, Decode,  nullptr, nullptr};

} // namespace

void De265Decoder::Register() {
    heif_register_decoder_plugin(&kPlugin);
}
