#pragma once

#include "image/PictureReader.h"

#include <QImage>
#include <QSize>
#include <QString>

struct heif_context;
struct heif_image_handle;

// HEIF files (HEIC from phones, AVIF, any HEIF) through libheif, for the
// picture reader. The primary image is decoded standing upright (the file's
// rotation, mirror and clean-aperture transforms applied), 8 bits a channel
// (10 and 12 bits rounded down to 8), with alpha where the file has it, in
// sRGB (an ICC profile or a colour description such as Display P3 converted).
// Damage shows as a refusal with libheif's words, never as a half picture.
// One decoder per thread; several may run at once.
class HeifDecoder {
public:
    // Whether the bytes a file starts with are those of a HEIF file, whatever
    // its name: its 'ftyp' box names a HEIF brand.
    static bool IsHeif(const QByteArray& head);
    // How many bytes IsHeif looks at.
    static constexpr int kHeadBytes = 64;

    // Reads the file's boxes; nothing is decoded yet.
    explicit HeifDecoder(const QString& path);
    ~HeifDecoder();
    HeifDecoder(const HeifDecoder&) = delete;
    HeifDecoder& operator=(const HeifDecoder&) = delete;

    // The picture's size, upright; empty when the file can't be read.
    QSize Size() const { return _size; }
    // Why the file can't be read (None while it can).
    const PictureReader::Result& Refusal() const { return _refusal; }
    // The picture at the given size (the decoder cannot scale: it decodes
    // whole, then scales smoothly), or the refusal.
    PictureReader::Result Decode(QSize held) const;

private:
    heif_context* _context = nullptr;
    heif_image_handle* _handle = nullptr;
    QSize _size;
    PictureReader::Result _refusal;
};
