#include "image/QuorelImage.h"

#include "filters/WideKernel.h"
#include "image/BitmapSurface.h"
#include "image/PixelMath.h"

#include <QDebug>
#include <QPainter>
#include <QtEndian>
#include <cstring>
#include <exception>
#include <utility>

namespace {

constexpr int kPlaneCount = 8;
constexpr uchar kHalfWhite = 128; // white at 50 % opacity, premultiplied

void Log(const QString& line) {
    qInfo().noquote() << line;
}

// Pictures whose pixels are native 32-bit words (0xAARRGGBB, premultiplied, or
// 0xffRRGGBB) are read as they are; any other is converted to a surface layout
// first.
bool IsNativeWords(const QImage& picture) {
    return picture.format() == QImage::Format_ARGB32_Premultiplied ||
           picture.format() == QImage::Format_RGB32;
}

// One row of native words into the byte buffer (red, green, blue, alpha) and
// the four planes, as converting to the surface layout and splitting it would;
// a picture without alpha gets 255. Returns the AND of the alpha bytes.
uint32_t SplitWords(const QRgb* __restrict row, int32_t n, bool opaque, uint32_t* __restrict bytes,
                    int32_t* __restrict red, int32_t* __restrict green, int32_t* __restrict blue,
                    int32_t* __restrict alpha) {
    const uint32_t forced = opaque ? 0xff000000u : 0u;
    uint32_t alphaAnd = 0xff000000u;
    for (int32_t x = 0; x < n; ++x) {
        const uint32_t p = row[x] | forced;
        red[x] = int32_t((p >> 16) & 0xff);
        green[x] = int32_t((p >> 8) & 0xff);
        blue[x] = int32_t(p & 0xff);
        alpha[x] = int32_t(p >> 24);
        // Bytes red, green, blue, alpha in memory: a little-endian 0xAABBGGRR.
        bytes[x] = qToLittleEndian((p & 0xff00ff00u) | ((p >> 16) & 0xffu) | ((p & 0xffu) << 16));
        alphaAnd &= p;
    }
    return alphaAnd >> 24;
}

// Pixel i becomes the bytes red, green, blue, 255, each saturated so that a
// value out of range can never spill into the next byte.
void PackPlanes(uint32_t* __restrict words, const int32_t* __restrict red,
                const int32_t* __restrict green, const int32_t* __restrict blue, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        const uint32_t r = uint32_t(PixelMath::CapFloor(red[i]));
        const uint32_t g = uint32_t(PixelMath::CapFloor(green[i]));
        const uint32_t b = uint32_t(PixelMath::CapFloor(blue[i]));
        words[i] = qToLittleEndian(r | (g << 8) | (b << 16) | 0xff000000u);
    }
}

std::unique_ptr<QuorelImage> Prepared(std::unique_ptr<QuorelImage> image) {
    if (!image->ReallyPrepareImageData()) {
        return nullptr;
    }
    return image;
}

} // namespace

QuorelImage::~QuorelImage() {
    if (_preparation.joinable()) {
        _preparation.join();
    }
}

std::unique_ptr<QuorelImage> QuorelImage::InitWithNSImage(const QImage& picture) {
    try {
        std::unique_ptr<QuorelImage> image(new QuorelImage());
        image->_original = picture;
        return Prepared(std::move(image));
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
        return nullptr;
    }
}

std::unique_ptr<QuorelImage> QuorelImage::InitWithPath(const QString& path) {
    if (path.isEmpty()) {
        return nullptr;
    }
    QString reason;
    const QImage picture = BitmapSurface::DecodeFile(path, &reason);
    if (picture.isNull()) {
        if (!reason.isEmpty()) {
            Log(reason);
        }
        Log(QStringLiteral("Image is Null"));
        return nullptr;
    }
    return InitWithNSImage(picture);
}

std::unique_ptr<QuorelImage> QuorelImage::InitWithURL(const QUrl& url) {
    if (url.isEmpty()) {
        return nullptr;
    }
    if (!url.isLocalFile() && url.scheme() != QLatin1String("qrc")) {
        // Pictures are read from files only; nothing is fetched over a network.
        Log(QStringLiteral("Not a local file: %1").arg(url.toString()));
        Log(QStringLiteral("Image is Null"));
        return nullptr;
    }
    const QString path = url.isLocalFile() ? url.toLocalFile() : QStringLiteral(":") + url.path();
    return InitWithPath(path);
}

std::unique_ptr<QuorelImage> QuorelImage::InitEmpty(int32_t width, int32_t height) {
    if (width < 0 || height < 0 || qint64(width) * height > BitmapSurface::kMaxPixels) {
        Log(QStringLiteral("Invalid image size %1 x %2").arg(width).arg(height));
        return nullptr;
    }
    try {
        std::unique_ptr<QuorelImage> image(new QuorelImage());
        image->_width = width;
        image->_height = height;
        image->_datasize = width * height * 4;
        image->AllocatePlanes(width * height);
        image->_pixelCount = width * height;
        const size_t n = static_cast<size_t>(image->_pixelCount);
        for (int32_t* plane : {image->_red, image->_green, image->_blue, image->_red_back,
                               image->_green_back, image->_blue_back}) {
            std::fill(plane, plane + n, 0);
        }
        std::fill(image->_alpha, image->_alpha + n, 255);
        std::fill(image->_alpha_back, image->_alpha_back + n, 255);
        return image;
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
        return nullptr;
    }
}

void QuorelImage::ReleaseBuffers() {
    try {
        _context = QImage();
        _data.reset();
        _dataOriginal.reset();
        _planes.reset();
        _red = _green = _blue = _alpha = nullptr;
        _red_back = _green_back = _blue_back = _alpha_back = nullptr;
        _pixelCount = 0;
    } catch (const std::exception& e) {
        Log(QStringLiteral(
            "Error freeing mem _data, _dataOriginal, _hueMap, or releasing context"));
        Log(QString::fromLocal8Bit(e.what()));
    }
}

void QuorelImage::AllocatePlanes(int32_t pixelCount) {
    const size_t n = static_cast<size_t>(pixelCount);
    // Back planes get no defined content here; filters write them before reading.
    _planes.reset(new int32_t[n * kPlaneCount]);
    int32_t* base = _planes.get();
    _red = base;
    _green = base + n;
    _blue = base + 2 * n;
    _alpha = base + 3 * n;
    _red_back = base + 4 * n;
    _green_back = base + 5 * n;
    _blue_back = base + 6 * n;
    _alpha_back = base + 7 * n;
}

bool QuorelImage::ReallyPrepareImageData() {
    if (_data) {
        ReleaseBuffers();
    }
    Log(QStringLiteral("Try prepare image data..."));
    _datasize = 0;
    const QImage bitmap = IsNativeWords(_original) ? _original : BitmapSurface::ToBitmap(_original);
    if (bitmap.isNull() || !BitmapSurface::IsAllocatable(bitmap.width(), bitmap.height())) {
        Log(QStringLiteral("Image is Null"));
        return false;
    }
    const bool hasAlpha = BitmapSurface::HasAlpha(bitmap);
    Log(hasAlpha ? QStringLiteral("Has Alpha...") : QStringLiteral("Does not have alpha"));
    _width = bitmap.width();
    _height = bitmap.height();
    Log(QStringLiteral("Image size is %1 x %2").arg(_width).arg(_height));

    const int32_t pixels = _width * _height;
    _datasize = pixels * 4;
    _data.reset(new uint8_t[static_cast<size_t>(_datasize)]);
    _dataOriginal.reset(new uint8_t[static_cast<size_t>(_datasize)]);
    _context = QImage(_data.get(), _width, _height, _width * 4,
                      hasAlpha ? BitmapSurface::kAlphaFormat : BitmapSurface::kOpaqueFormat);
    AllocatePlanes(pixels);
    // An opaque picture covers the background and its own shadow completely, so
    // its bytes are the surface's; only a translucent one needs compositing.
    if (!CopyOpaqueBitmap(bitmap)) {
        std::memset(_data.get(), kHalfWhite, static_cast<size_t>(_datasize));
        QPainter painter(&_context);
        BitmapSurface::DrawWithDropShadow(painter, BitmapSurface::ToBitmap(bitmap),
                                          QRectF(0, 0, _width, _height));
        painter.end();
        FillPlanesFromData();
    }
    Log(QStringLiteral("Copying _data to _dataOriginal (size = %1)").arg(_datasize));
    std::memcpy(_dataOriginal.get(), _data.get(), static_cast<size_t>(_datasize));
    _pixelCount = _datasize / 4;
    return true;
}

bool QuorelImage::CopyOpaqueBitmap(const QImage& bitmap) {
    if (IsNativeWords(bitmap)) {
        const bool opaque = !BitmapSurface::HasAlpha(bitmap);
        uint32_t alphaAnd = 255;
        for (int y = 0; y < _height; ++y) {
            const size_t first = size_t(y) * size_t(_width);
            alphaAnd &= SplitWords(reinterpret_cast<const QRgb*>(bitmap.constScanLine(y)), _width,
                                   opaque, reinterpret_cast<uint32_t*>(_data.get()) + first,
                                   _red + first, _green + first, _blue + first, _alpha + first);
        }
        return alphaAnd == 255;
    }
    uint8_t* bytes = _data.get();
    uint32_t alphaAnd = 255;
    for (int y = 0; y < _height; ++y) {
        const uint8_t* row = bitmap.constScanLine(y);
        const int32_t first = y * _width;
        std::memcpy(bytes + size_t(first) * 4, row, size_t(_width) * 4);
        for (int x = 0; x < _width; ++x) {
            const int32_t i = first + x;
            _red[i] = row[4 * x];
            _green[i] = row[4 * x + 1];
            _blue[i] = row[4 * x + 2];
            _alpha[i] = row[4 * x + 3];
            alphaAnd &= row[4 * x + 3];
        }
    }
    return alphaAnd == 255;
}

void QuorelImage::FillPlanesFromData() {
    const uint8_t* bytes = _data.get();
    const int32_t n = _datasize / 4;
    for (int32_t i = 0; i < n; ++i) {
        _red[i] = bytes[4 * i];
        _green[i] = bytes[4 * i + 1];
        _blue[i] = bytes[4 * i + 2];
        _alpha[i] = bytes[4 * i + 3];
    }
}

void QuorelImage::PrepareImageData() {
    if (_preparation.joinable()) {
        _preparation.join();
    }
    _preparation = std::thread([this] {
        try {
            ReallyPrepareImageData();
        } catch (const std::exception& e) {
            Log(QString::fromLocal8Bit(e.what()));
        }
    });
}

QImage QuorelImage::Preview() {
    if (_context.isNull() || !_data) {
        if (_context.isNull()) {
            Log(QStringLiteral("Context == NULL"));
        }
        if (!_data) {
            Log(QStringLiteral("Data == NULL"));
        }
        return QImage();
    }
    try {
        // Packed straight into the new picture: the byte buffer would only be
        // copied into it.
        QImage picture(_context.size(), _context.format());
        if (picture.isNull()) {
            return QImage();
        }
        PackPlanes(reinterpret_cast<uint32_t*>(picture.bits()), _red, _green, _blue, _datasize / 4);
        return picture;
    } catch (const std::exception& e) {
        Log(QStringLiteral("Fehler..."));
        Log(QString::fromLocal8Bit(e.what()));
        return QImage();
    }
}

void QuorelImage::SwapBackBuffer() {
    std::swap(_red, _red_back);
    std::swap(_green, _green_back);
    std::swap(_blue, _blue_back);
    std::swap(_alpha, _alpha_back);
}

namespace {

constexpr int32_t kBlendAverage = 1;
constexpr int32_t kBlendAdd = 2;
constexpr int32_t kBlendMultiply = 3;
constexpr float kHalf = 0.5f;
constexpr float kPer256 = 0.00390625f;

// One plane of BlendBackBuffer. The scaled sums and products lie within int32
// (at most 2^30 and 2^23 across), where Truncate is the plain conversion.
template <int32_t Mode>
TRELLICA_WIDE_KERNEL void BlendPlane(int32_t* __restrict front, const int32_t* __restrict back,
                                     int32_t n) {
    constexpr int64_t kLowest = INT32_MIN;
    constexpr int64_t kHighest = INT32_MAX;
    for (int32_t i = 0; i < n; ++i) {
        const int64_t f = front[i];
        const int64_t exact = Mode == kBlendMultiply ? f * back[i] : f + back[i];
        // Saturated as PixelMath::Saturate does, in a form that vectorises.
        const int32_t v = static_cast<int32_t>(std::min(kHighest, std::max(kLowest, exact)));
        const int32_t blended =
            Mode == kBlendAdd ? v
                              : static_cast<int32_t>(static_cast<float>(v) *
                                                     (Mode == kBlendAverage ? kHalf : kPer256));
        front[i] = PixelMath::Cap(blended);
    }
}

} // namespace

void QuorelImage::BlendBackBuffer(int32_t mode) {
    const std::pair<int32_t*, const int32_t*> planes[3] = {
        {_red, _red_back}, {_green, _green_back}, {_blue, _blue_back}};
    for (const auto& [front, back] : planes) {
        if (mode == kBlendAverage) {
            BlendPlane<kBlendAverage>(front, back, _pixelCount);
        } else if (mode == kBlendAdd) {
            BlendPlane<kBlendAdd>(front, back, _pixelCount);
        } else if (mode == kBlendMultiply) {
            BlendPlane<kBlendMultiply>(front, back, _pixelCount);
        }
    }
}

void QuorelImage::LerpBackBuffer(float t) {
    const float tp = t < 1.0f ? t : 1.0f;
    const float tb = 1.0f - tp;
    int32_t* front[3] = {_red, _green, _blue};
    const int32_t* back[3] = {_red_back, _green_back, _blue_back};
    for (int c = 0; c < 3; ++c) {
        for (int32_t i = 0; i < _pixelCount; ++i) {
            const float v =
                static_cast<float>(front[c][i]) * tp + static_cast<float>(back[c][i]) * tb;
            front[c][i] = PixelMath::Cap(PixelMath::Truncate(v));
        }
    }
}

void QuorelImage::SwapImageDimensions() {
    std::swap(_width, _height);
}

void QuorelImage::Reset() {}

void QuorelImage::SaveJPEGToFile(const QString&) {}

std::unique_ptr<QuorelImage> QuorelImage::CreateCutout(int32_t, int32_t, int32_t, int32_t) {
    return nullptr;
}
