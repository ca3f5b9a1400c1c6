#include "render/FaceFinder.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

namespace {

constexpr const char* kCascadeVariable = "TRELLICA_FACE_CASCADE";
constexpr const char* kCascadeFile = "haarcascade_frontalface_alt2.xml";
constexpr const char* kCascadeFolders[] = {"opencv4/haarcascades", "opencv/haarcascades"};

constexpr double kScaleStep = 1.1;
// Every level of the pyramid is searched for faces of 32 to 42 pixels only,
// three steps of kScaleStep: beyond twice its 20-pixel window the cascade is
// tried at every pixel instead of every other, so larger faces are cheaper to
// find in smaller copies. The levels shrink by kScaleStep cubed, so each goes
// on where the last stopped.
constexpr int kSmallest = 32;
constexpr int kLargest = 42;
constexpr double kLevelStep = kScaleStep * kScaleStep * kScaleStep;
constexpr int kAllLevels = 1 << 20;
constexpr double kGroupOverlap = 0.2;

// One search: a grey copy of at most `longSide` pixels on the long side, its
// pyramid of `levels` levels, and the faces that at least `minHits` overlapping
// hits agree on. Real faces gather many hits; leaves, fur, print and
// chessboards gather few.
struct Stage {
    int longSide;
    int levels;
    int minHits;
};

// Faces of about 3 % of the long side and up are found in a 1,000-pixel copy;
// a smaller one, a person in a landscape shot, only in the sharper level above
// it, searched when the first stage finds no face.
constexpr int kSharpSide = 1331;
constexpr Stage kStages[] = {
    {1000, kAllLevels, 4},
    {kSharpSide, 1, 3},
};

// Four bytes a pixel, blue first in memory, as OpenCV reads it.
QImage Rgb32(const QImage& picture) {
    switch (picture.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return picture;
    default:
        return picture.convertToFormat(QImage::Format_RGB32);
    }
}

// The image shrunk to at most longSide pixels on the long side; as it is when
// it fits.
cv::Mat Shrunk(const cv::Mat& image, int longSide) {
    const double scale = std::min(1.0, double(longSide) / std::max(image.cols, image.rows));
    const cv::Size size(std::max(1, int(std::lround(image.cols * scale))),
                        std::max(1, int(std::lround(image.rows * scale))));
    // Whole-number shrinking takes OpenCV's fast path; only the small rest of
    // the way is a general resample.
    const int whole = std::max(1, std::min(image.cols / size.width, image.rows / size.height));
    cv::Mat shrunk = image;
    if (whole > 1) {
        cv::resize(image, shrunk, cv::Size(image.cols / whole, image.rows / whole), 0, 0,
                   cv::INTER_AREA);
    }
    cv::Mat sized = shrunk;
    if (shrunk.size() != size) {
        cv::resize(shrunk, sized, size, 0, 0, cv::INTER_AREA);
    }
    return sized;
}

// The grey copy every stage starts from, made once from the picture's pixels.
// Not equalised: the cascade evens out each window's contrast itself, and a
// histogram ruled by a wide sky or wall would flatten the face.
cv::Mat SharpGrey(const QImage& rgb) {
    const cv::Mat bgra(rgb.height(), rgb.width(), CV_8UC4, const_cast<uchar*>(rgb.constBits()),
                       size_t(rgb.bytesPerLine()));
    cv::Mat grey;
    cv::cvtColor(Shrunk(bgra, kSharpSide), grey, cv::COLOR_BGRA2GRAY);
    return grey;
}

// Largest first; equal sizes by position, so the choice never depends on the
// order the detector reports them in.
bool Larger(const cv::Rect& a, const cv::Rect& b) {
    if (a.area() != b.area()) {
        return a.area() > b.area();
    }
    return a.y != b.y ? a.y < b.y : a.x < b.x;
}

cv::Rect Scaled(const cv::Rect& r, double factor) {
    return cv::Rect(int(std::lround(r.x * factor)), int(std::lround(r.y * factor)),
                    int(std::lround(r.width * factor)), int(std::lround(r.height * factor)));
}

QRect ToPicture(const cv::Rect& r, double factor, const QSize& picture) {
    const cv::Rect scaled = Scaled(r, factor);
    return QRect(scaled.x, scaled.y, scaled.width, scaled.height)
        .intersected(QRect(QPoint(0, 0), picture));
}

// Every hit of the cascade on the pyramid's levels, in the top level's pixels.
std::vector<cv::Rect> RawHits(cv::CascadeClassifier& classifier, const cv::Mat& grey, int levels) {
    std::vector<cv::Rect> hits;
    double factor = 1.0;
    for (int level = 0; level < levels; ++level, factor *= kLevelStep) {
        const cv::Size size(int(std::lround(grey.cols / factor)),
                            int(std::lround(grey.rows / factor)));
        if (std::min(size.width, size.height) < kSmallest) {
            break;
        }
        cv::Mat copy = grey;
        if (level > 0) {
            cv::resize(grey, copy, size, 0, 0, cv::INTER_AREA);
        }
        std::vector<cv::Rect> found;
        classifier.detectMultiScale(copy, found, kScaleStep, 0, 0, cv::Size(kSmallest, kSmallest),
                                    cv::Size(kLargest, kLargest));
        for (const cv::Rect& r : found) {
            hits.push_back(Scaled(r, factor));
        }
    }
    return hits;
}

std::optional<QRect> Search(cv::CascadeClassifier& classifier, const cv::Mat& sharp,
                            const Stage& stage, const QSize& picture) {
    const cv::Mat grey = Shrunk(sharp, stage.longSide);
    std::vector<cv::Rect> faces = RawHits(classifier, grey, stage.levels);
    // Groups the hits as the cascade's own search does; the hits arrive in
    // any order from its threads, the groups do not depend on it.
    cv::groupRectangles(faces, stage.minHits - 1, kGroupOverlap);
    if (faces.empty()) {
        return std::nullopt;
    }
    const cv::Rect largest = *std::min_element(faces.begin(), faces.end(), Larger);
    return ToPicture(largest, double(picture.width()) / grey.cols, picture);
}

} // namespace

FaceFinder::FaceFinder() : FaceFinder(LocateCascade()) {}

FaceFinder::FaceFinder(const QString& cascadePath) : _cascadePath(cascadePath) {
    if (cascadePath.isEmpty()) {
        _unavailableReason =
            QStringLiteral("Face finding needs OpenCV's face data (%1, from the opencv-data "
                           "package), which was not found.")
                .arg(QLatin1String(kCascadeFile));
        return;
    }
    auto classifier = std::make_unique<cv::CascadeClassifier>();
    try {
        // OpenCV logs its own complaint about a file it cannot open.
        if (QFileInfo(cascadePath).isReadable()) {
            classifier->load(cascadePath.toStdString());
        }
    } catch (const cv::Exception&) {
        // A damaged file reads as an empty classifier below.
    }
    if (classifier->empty()) {
        _unavailableReason =
            QStringLiteral("Face finding needs OpenCV's face data; %1 could not be read.")
                .arg(cascadePath);
        return;
    }
    _pool.push_back(std::move(classifier));
}

FaceFinder::~FaceFinder() = default;

QString FaceFinder::LocateCascade() {
    const QString chosen = qEnvironmentVariable(kCascadeVariable);
    if (!chosen.isEmpty()) {
        return chosen;
    }
    // The desktop's data folders first, then where OpenCV installs its data
    // whatever XDG_DATA_DIRS says.
    QStringList roots = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    roots << QStringLiteral("/usr/local/share") << QStringLiteral("/usr/share");
    for (const QString& root : roots) {
        for (const char* folder : kCascadeFolders) {
            const QString path = QStringLiteral("%1/%2/%3")
                                     .arg(root, QLatin1String(folder), QLatin1String(kCascadeFile));
            if (QFileInfo::exists(path)) {
                return path;
            }
        }
    }
    return {};
}

std::optional<QRect> FaceFinder::LargestFace(const QImage& picture) const {
    if (!IsAvailable() || picture.isNull()) {
        return std::nullopt;
    }
    try {
        const cv::Mat sharp = SharpGrey(Rgb32(picture));
        Classifier classifier = Borrow();
        std::optional<QRect> face;
        for (const Stage& stage : kStages) {
            face = Search(*classifier, sharp, stage, picture.size());
            if (face) {
                break;
            }
        }
        Return(std::move(classifier));
        return face;
    } catch (const cv::Exception&) {
        // A failed search (out of memory, a cascade gone since start) finds nothing.
        return std::nullopt;
    }
}

FaceFinder::Classifier FaceFinder::Borrow() const {
    {
        const std::lock_guard lock(_poolMutex);
        if (!_pool.empty()) {
            Classifier classifier = std::move(_pool.back());
            _pool.pop_back();
            return classifier;
        }
    }
    // Another search holds the only one: load another rather than wait.
    auto classifier = std::make_unique<cv::CascadeClassifier>(_cascadePath.toStdString());
    return classifier;
}

void FaceFinder::Return(Classifier classifier) const {
    const std::lock_guard lock(_poolMutex);
    _pool.push_back(std::move(classifier));
}
