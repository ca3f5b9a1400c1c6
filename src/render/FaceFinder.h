#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace cv {
class CascadeClassifier;
}

// Finds the largest frontal face in a picture with the face cascade that
// OpenCV's data package installs. The cascade is looked up once, at
// construction: TRELLICA_FACE_CASCADE names a file of its own, otherwise the
// system data folders are searched. One finder may be used from several
// threads at once; each concurrent search borrows a classifier of its own, so
// results never depend on what runs beside them.
class FaceFinder {
public:
    FaceFinder();
    explicit FaceFinder(const QString& cascadePath);
    ~FaceFinder();
    FaceFinder(const FaceFinder&) = delete;
    FaceFinder& operator=(const FaceFinder&) = delete;

    bool IsAvailable() const { return _unavailableReason.isEmpty(); }
    // Why no face can be found, for a tooltip or an error line; empty when available.
    QString UnavailableReason() const { return _unavailableReason; }
    QString CascadePath() const { return _cascadePath; }

    // The largest face, in the picture's pixels (origin top-left, y down);
    // nothing for a picture without a face, a null picture or no cascade.
    std::optional<QRect> LargestFace(const QImage& picture) const;

    // The cascade file the data folders hold, or an empty string.
    static QString LocateCascade();

private:
    using Classifier = std::unique_ptr<cv::CascadeClassifier>;
    Classifier Borrow() const;
    void Return(Classifier classifier) const;

    QString _cascadePath;
    QString _unavailableReason;
    mutable std::mutex _poolMutex;
    mutable std::vector<Classifier> _pool;
};
