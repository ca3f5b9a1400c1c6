#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Reads a photo from a file for the window: only regular files, and a photo
// above the pixel budget is decoded at a reduced scale (1/2, 1/4, ...) so that
// memory and time stay bounded whatever the camera wrote.
class PictureReader {
public:
    PictureReader() = delete;

    enum class Failure { None, NotAPictureFile, Unsupported, Damaged, TooLarge, Unreadable };

    struct Result {
        QImage picture;  // null on failure; never above kPixelBudget pixels
        QSize photoSize; // the photo's own size, upright; empty when unknown
        Failure failure = Failure::None;
        QString reason; // the decoder's own words, for the log; empty when read
    };

    // Photos up to this many pixels are held as they are (all that Qt's default
    // allocation limit of 128 MB lets through); larger ones are held at the
    // largest 1/2^k scale within it. At least 8 Mi pixels remain, several photo
    // pixels for each point of the crop view.
    static constexpr qint64 kPixelBudget = qint64(1) << 25;
    // Above this a file's header is not believed (a 200 MP camera is well below).
    static constexpr qint64 kMaxPhotoPixels = qint64(1) << 28;

    static Result Read(const QString& path);

    // The size a photo of that size is held at: itself within the budget, else
    // each side divided by the smallest power of two that brings it within.
    static QSize HeldSize(QSize photo);
};
