#pragma once

#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>
#include <memory>

class HeifDecoder;

// Reads a photo from a file for the window and for trellica-batch: only regular
// files, and a photo above the pixel budget is decoded at a reduced scale (1/2,
// 1/4, ...) so that memory and time stay bounded whatever the camera wrote.
// The type comes from the file's contents, not its name: HEIF files (HEIC,
// AVIF) go to libheif, every other to Qt's readers.
// Safe to use on several threads, one reader each.
class PictureReader {
public:
    enum class Failure { None, NotAPictureFile, Unsupported, Damaged, TooLarge, Unreadable };

    struct Result {
        QImage picture;  // null on failure; never above kPixelBudget pixels
        QSize photoSize; // the photo's own size, upright; empty when unknown
        Failure failure = Failure::None;
        QString reason; // the decoder's own words, for the log; empty when read
    };

    // Photos up to this many pixels (128 MB at 8 bits a channel) are held as
    // they are; larger ones at the largest 1/2^k scale within it. At least 8 Mi
    // pixels remain, several photo pixels for each point of the crop view.
    static constexpr qint64 kPixelBudget = qint64(1) << 25;
    // Above this a file's header is not believed (a 200 MP camera is well below).
    static constexpr qint64 kMaxPhotoPixels = qint64(1) << 28;
    // Nor a side beyond the largest a JPEG, WebP or HEIF can have: Qt's smooth
    // scaling, which a scaled decode of the other formats goes through, reads
    // past its picture at sides near 2^20.
    static constexpr int kMaxPhotoSide = 65535;

    // Types the file and reads its header; nothing is decoded yet.
    explicit PictureReader(const QString& path);
    ~PictureReader();

    // The photo's own size, upright, as the header tells it; empty when it doesn't.
    QSize PhotoSize() const { return _photo; }
    // The largest divisor the decoder applies while decoding (8 for JPEG), so
    // that the full-size pixels are never made; 1 when it decodes whole.
    int DecoderDivisor() const { return !_heif && _reader.format() == "jpeg" ? 8 : 1; }
    // Decodes the photo with each side divided by `divisor` (a power of two),
    // or by more where the budget asks for it.
    Result Decode(int divisor);

    // The photo held within the budget, as the window holds it.
    static Result Read(const QString& path) { return PictureReader(path).Decode(1); }

    // The size a photo of that size is held at when asked for 1/divisor: each
    // side divided by it, or by the next powers of two until within the budget.
    static QSize HeldSize(QSize photo, int divisor = 1);

private:
    QImageReader _reader;
    std::unique_ptr<HeifDecoder> _heif; // set for a HEIF file, which _reader can't read
    QSize _stored; // as the file stores it, before any turn (a HEIF decoder turns it)
    QSize _photo;
    Result _refusal;
};
