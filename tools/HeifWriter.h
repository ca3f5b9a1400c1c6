#pragma once

#include <QByteArray>
#include <QImage>

// HEIC and AVIF files made in code with libheif's encoders (x265 for HEIC, aom
// for AVIF): the benchmarks' phone photos, the fuzzers' seeds and the files of
// the reader's tests. Not part of either program.
namespace HeifWriter {

struct Options {
    bool avif = false;
    // Lossless is exact only for AVIF here: it is coded as RGB, 4:4:4.
    bool lossless = false;
    int quality = 90;
    int bits = 8;        // 8, 10 or 12 bits a channel (8-bit values spread over them)
    int orientation = 1; // as a JPEG's orientation tag: 6 turns right, 2 mirrors
    QByteArray icc = {}; // an ICC profile to embed
    bool fast = true;    // the encoders' fastest settings; off: middling ones, as a camera's
};

// The picture (alpha kept where it has it) as a file's bytes; empty on failure.
QByteArray Encoded(const QImage& picture, const Options& options);

} // namespace HeifWriter
