#pragma once

#include "effects/ImageEffectSet.h"

#include <QImage>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <memory>
#include <thread>

// A picture taken apart into planes of signed 32-bit values, one plane per
// channel (red, green, blue, alpha), plus a second set of planes, the back
// buffer, that filters write into and swap in or blend with the front.
//
// Pixel (x, y) stands at index y * Width() + x, row 0 being the picture's top
// row. After preparation every value lies in 0..255; filters may hold values
// outside that range in between, and Preview() saturates them when packing.
// Pictures with alpha arrive premultiplied, composited over half-transparent
// white with their own drop shadow.
class QuorelImage {
public:
    // Each initialiser gives the image, or nullptr when the picture can't be
    // decoded (the reason is logged).
    static std::unique_ptr<QuorelImage> InitWithNSImage(const QImage& picture);
    static std::unique_ptr<QuorelImage> InitWithPath(const QString& path);
    static std::unique_ptr<QuorelImage> InitWithURL(const QUrl& url);
    // Black, opaque front and back planes; no byte buffer, so no Preview().
    static std::unique_ptr<QuorelImage> InitEmpty(int32_t width, int32_t height);

    ~QuorelImage();
    QuorelImage(const QuorelImage&) = delete;
    QuorelImage& operator=(const QuorelImage&) = delete;

    // Converts Original() into byte buffer, surface and planes; false when the
    // picture gave no bitmap.
    bool ReallyPrepareImageData();
    // The same on a background thread; returns at once. The planes may be read
    // only once it has finished; the destructor waits for it.
    void PrepareImageData();

    // A new, opaque picture of the front planes; null for an InitEmpty image.
    QImage Preview();
    // Preview() composited by ImageTools::DoFinalEffects; null (and nothing
    // logged) without a set.
    QImage DoFinalEffects(const ImageEffectSet* set);

    void SwapBackBuffer();
    // Back colour planes into the front: 1 average, 2 add, 3 multiply; others
    // change nothing. Values above 255 become 255, negative values stay.
    void BlendBackBuffer(int32_t mode);
    // front = front * min(t, 1) + back * (1 - min(t, 1)), capped at 255.
    void LerpBackBuffer(float t);
    void SwapImageDimensions();

    int32_t* Red() { return _red; }
    int32_t* Green() { return _green; }
    int32_t* Blue() { return _blue; }
    int32_t* Alpha() { return _alpha; }
    int32_t* Red_Backbuffer() { return _red_back; }
    int32_t* Green_Backbuffer() { return _green_back; }
    int32_t* Blue_Backbuffer() { return _blue_back; }
    int32_t* Alpha_Backbuffer() { return _alpha_back; }

    int32_t Width() const { return _width; }
    int32_t Height() const { return _height; }
    int32_t PixelCount() const { return _pixelCount; }
    int32_t DataSize() const { return _datasize; }
    bool IsLoaded() const { return _isLoaded; }
    const QImage& Original() const { return _original; }

    const ImageEffectSet& ImageFXSet() const { return _imgFXSet; }
    void setImageFXSet(const ImageEffectSet& set) { _imgFXSet = set; }

    // Kept for callers of the original interface; they do nothing.
    void Reset();
    void SaveJPEGToFile(const QString& path);
    std::unique_ptr<QuorelImage> CreateCutout(int32_t x, int32_t y, int32_t width, int32_t height);

private:
    QuorelImage() = default;
    void ReleaseBuffers();
    void AllocatePlanes(int32_t pixelCount);
    void FillPlanesFromData();
    bool CopyOpaqueBitmap(const QImage& bitmap);

    QImage _original;
    QImage _context; // the drawing surface over _data
    bool _isLoaded = false;
    int32_t* _red = nullptr;
    int32_t* _green = nullptr;
    int32_t* _blue = nullptr;
    int32_t* _alpha = nullptr;
    std::unique_ptr<uint8_t[]> _data;
    std::unique_ptr<uint8_t[]> _dataOriginal;
    int32_t* _red_back = nullptr;
    int32_t* _green_back = nullptr;
    int32_t* _blue_back = nullptr;
    int32_t* _alpha_back = nullptr;
    int32_t _datasize = 0;
    int32_t _width = 0;
    int32_t _height = 0;
    int32_t _pixelCount = 0;
    ImageEffectSet _imgFXSet;

    // One allocation holds all eight planes; the pointers above index into it.
    std::unique_ptr<int32_t[]> _planes;
    std::thread _preparation;
};
