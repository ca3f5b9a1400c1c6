#pragma once

// HEVC decoding (HEIC files) for libheif through libavcodec, on every core.
// libheif 1.15 decodes HEVC with libde265 on a single worker thread; libavcodec
// gives the same pixels for about a third less processor time, and decodes the rows
// of a frame in parallel where the encoder allowed it (WPP). libheif still
// decodes the tiles of a grid photo in parallel on top.
class HevcDecoder {
public:
    HevcDecoder() = delete;

    // Makes libheif prefer this decoder for HEVC; once, before the first HEIC.
    static void Register();
};
