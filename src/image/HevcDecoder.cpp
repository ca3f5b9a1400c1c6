#include "image/HevcDecoder.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <libheif/heif.h>
#include <libheif/heif_plugin.h>
#include <thread>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
#include <libavutil/pixdesc.h>
}

namespace {

// Above libheif's own plugin (100).
constexpr int kPriority = 200;
constexpr int kMostThreads = 8;
constexpr size_t kLengthBytes = 4; // each NAL unit's length, big-endian, as HEIC stores it
constexpr uint8_t kStartCode[] = {0, 0, 0, 1};

constexpr heif_error kOk{heif_error_Ok, heif_suberror_Unspecified, "Success"};
constexpr heif_error kNoPicture{heif_error_Decoder_plugin_error, heif_suberror_Unspecified,
                                "the HEVC stream holds no picture"};
constexpr heif_error kCutNal{heif_error_Decoder_plugin_error, heif_suberror_End_of_data,
                             "an HEVC unit runs past its data"};
constexpr heif_error kNoDecoder{heif_error_Decoder_plugin_error, heif_suberror_Unspecified,
                                "no HEVC decoder in libavcodec"};
constexpr heif_error kOddFormat{heif_error_Unsupported_feature,
                                heif_suberror_Unsupported_data_version,
                                "an HEVC pixel layout Trellica does not read"};

// The stream as libheif hands it over, in the start-code form libavcodec reads.
struct Stream {
    std::vector<uint8_t> bytes;
};

const char* Name() {
    return "libavcodec HEVC decoder, all cores";
}

int Supports(heif_compression_format format) {
    return format == heif_compression_HEVC ? kPriority : 0;
}

heif_error New(void** decoder) {
    *decoder = new Stream;
    return kOk;
}

void Free(void* decoder) {
    delete static_cast<Stream*>(decoder);
}

heif_error Push(void* decoder, const void* data, size_t size) {
    std::vector<uint8_t>& stream = static_cast<Stream*>(decoder)->bytes;
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
        stream.insert(stream.end(), std::begin(kStartCode), std::end(kStartCode));
        stream.insert(stream.end(), bytes + at, bytes + at + length);
        at += length;
    }
    return kOk;
}

heif_chroma ChromaOf(const AVPixFmtDescriptor& format) {
    if (format.nb_components == 1) {
        return heif_chroma_monochrome;
    }
    if (format.log2_chroma_w == 1) {
        return format.log2_chroma_h == 1 ? heif_chroma_420 : heif_chroma_422;
    }
    return heif_chroma_444;
}

// The decoded frame's planes copied into a picture libheif owns, with the
// colour description of the stream.
heif_error Copied(const AVFrame& frame, heif_image** out) {
    // Grey (an alpha plane) or three planes in the machine's order, as libheif
    // takes them. An RGB-coded frame comes as libavcodec's GBR, which is the
    // coded order of its planes, the order libheif expects.
    const AVPixFmtDescriptor* format = av_pix_fmt_desc_get(AVPixelFormat(frame.format));
    const bool layout =
        format != nullptr &&
        (format->nb_components == 1 ||
         (format->nb_components == 3 && (format->flags & AV_PIX_FMT_FLAG_PLANAR) != 0));
    if (!layout || (format->flags & AV_PIX_FMT_FLAG_BE) != 0 || format->comp[0].depth > 16) {
        return kOddFormat;
    }
    const heif_chroma chroma = ChromaOf(*format);
    const int planes = chroma == heif_chroma_monochrome ? 1 : 3;
    heif_error error = heif_image_create(
        frame.width, frame.height, planes == 1 ? heif_colorspace_monochrome : heif_colorspace_YCbCr,
        chroma, out);
    const heif_channel channels[] = {heif_channel_Y, heif_channel_Cb, heif_channel_Cr};
    const int bits = format->comp[0].depth;
    for (int c = 0; c < planes && error.code == heif_error_Ok; ++c) {
        const int shiftW = c == 0 ? 0 : format->log2_chroma_w;
        const int shiftH = c == 0 ? 0 : format->log2_chroma_h;
        const int width = -((-frame.width) >> shiftW);
        const int height = -((-frame.height) >> shiftH);
        error = heif_image_add_plane(*out, channels[c], width, height, bits);
        int to = 0;
        uint8_t* target =
            error.code == heif_error_Ok ? heif_image_get_plane(*out, channels[c], &to) : nullptr;
        const uint8_t* source = frame.data[c];
        for (int y = 0; target != nullptr && source != nullptr && y < height; ++y) {
            std::memcpy(target + ptrdiff_t(y) * to, source + ptrdiff_t(y) * frame.linesize[c],
                        size_t(width) * size_t((bits + 7) / 8));
        }
    }
    heif_color_profile_nclx* nclx = heif_nclx_color_profile_alloc();
    if (error.code == heif_error_Ok && nclx != nullptr) {
        // libavcodec's colour codes are the standard's; values it does not
        // know are left as libheif's defaults.
        heif_nclx_color_profile_set_color_primaries(nclx, uint16_t(frame.color_primaries));
        heif_nclx_color_profile_set_transfer_characteristics(nclx, uint16_t(frame.color_trc));
        heif_nclx_color_profile_set_matrix_coefficients(nclx, uint16_t(frame.colorspace));
        nclx->full_range_flag = uint8_t(frame.color_range == AVCOL_RANGE_JPEG);
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
    *out = nullptr;
    const std::vector<uint8_t>& stream = static_cast<Stream*>(decoder)->bytes;
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_HEVC);
    AVCodecContext* context = codec ? avcodec_alloc_context3(codec) : nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    heif_error error = kNoDecoder;
    if (context != nullptr && packet != nullptr && frame != nullptr) {
        context->thread_count =
            std::clamp(int(std::thread::hardware_concurrency()), 1, kMostThreads);
        context->thread_type = FF_THREAD_SLICE;
        error = kNoPicture;
        if (stream.size() < size_t(INT_MAX - AV_INPUT_BUFFER_PADDING_SIZE) &&
            avcodec_open2(context, codec, nullptr) == 0 &&
            av_new_packet(packet, int(stream.size())) == 0) {
            std::memcpy(packet->data, stream.data(), stream.size());
            avcodec_send_packet(context, packet);
            avcodec_send_packet(context, nullptr);
            while (avcodec_receive_frame(context, frame) == 0) {
                if (*out != nullptr) {
                    heif_image_release(*out);
                }
                error = Copied(*frame, out);
                av_frame_unref(frame);
            }
        }
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&context);
    return *out != nullptr ? kOk : error;
}

// Version 1: libheif asks nothing of the later members.
const heif_decoder_plugin kPlugin{1,    Name, nullptr, nullptr, Supports, New,
                                  Free, Push, Decode,  nullptr, nullptr};

} // namespace

void HevcDecoder::Register() {
    // A damaged stream is told as a refusal, not as libavcodec's lines on stderr.
    av_log_set_level(AV_LOG_QUIET);
    heif_register_decoder_plugin(&kPlugin);
}
