#pragma once

// HEVC decoding (HEIC files) for libheif through libde265, on every core:
// libheif 1.15's own libde265 plugin starts a single worker thread, which
// leaves a photo stored as one HEVC frame to one core (twice as slow on two).
// Rows of the frame decode in parallel where the encoder allowed it (WPP);
// libheif still decodes the tiles of a grid photo in parallel on top.
class De265Decoder {
public:
    De265Decoder() = delete;

    // Makes libheif prefer this decoder for HEVC; once, before the first HEIC.
    static void Register();
};
