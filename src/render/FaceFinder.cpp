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

// One search: the picture as a grey copy of at most `longSide` pixels on the
// long side, faces from `smallest` to `largest` pixels (0: no limit) in it,
// kept when at least `minNeighbours` overlapping hits agree. Real faces gather
// many hits; leaves, fur, print and chessboards gather few.
struct Pass {
    int longSide;
    int smallest;
    int largest;
    int minNeighbours;
};

// A face of about 3 % of the long side and up is found in a 1,000-pixel copy
// fast; smaller ones, a person in a landscape shot, need the second, sharper
// copy, searched only for them and only when the first finds no face.
constexpr Pass kPasses[] = {
    {1000, 32, 0, 10},
    {1400, 32, 45, 5},
};
constexpr double kScaleStep = 1.1;

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

// The picture as a grey, equalised copy of at most longSide on the long side,
// and the factor from copy to picture.
cv::Mat GreyCopy(const QImage& rgb, int longSide, double* toPicture) {
    const cv::Mat bgra(rgb.height(), rgb.width(), CV_8UC4, const_cast<uchar*>(rgb.constBits()),
                       size_t(rgb.bytesPerLine()));
    const double scale = std::min(1.0, double(longSide) / std::max(rgb.width(), rgb.height()));
    const cv::Size size(std::max(1, int(std::lround(rgb.width() * scale))),
                        std::max(1, int(std::lround(rgb.height() * scale))));
    cv::Mat small;
    cv::resize(bgra, small, size, 0, 0, cv::INTER_AREA);
    cv::Mat grey;
    cv::cvtColor(small, grey, cv::COLOR_BGRA2GRAY);
    cv::equalizeHist(grey, grey);
    *toPicture = double(rgb.width()) / size.width;
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

QRect ToPicture(const cv::Rect& r, double factor, const QSize& picture) {
    const QRect scaled(int(std::lround(r.x * factor)), int(std::lround(r.y * factor)),
                       int(std::lround(r.width * factor)), int(std::lround(r.height * factor)));
    return scaled.intersected(QRect(QPoint(0, 0), picture));
}

std::optional<QRect> Search(cv::CascadeClassifier& classifier, const QImage& rgb,
                            const Pass& pass) {
    double toPicture = 1.0;
    const cv::Mat grey = GreyCopy(rgb, pass.longSide, &toPicture);
    std::vector<cv::Rect> faces;
    classifier.detectMultiScale(grey, faces, kScaleStep, pass.minNeighbours, 0,
                                cv::Size(pass.smallest, pass.smallest),
                                cv::Size(pass.largest, pass.largest));
    if (faces.empty()) {
        return std::nullopt;
    }
    const cv::Rect largest = *std::min_element(faces.begin(), faces.end(), Larger);
    return ToPicture(largest, toPicture, rgb.size());
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
                .arg(QFileInfo(cascadePath).fileName());
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
    for (const char* folder : kCascadeFolders) {
        const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                     QLatin1String(folder) + QLatin1Char('/') +
                                                         QLatin1String(kCascadeFile));
        if (!found.isEmpty()) {
            return found;
        }
    }
    return {};
}

std::optional<QRect> FaceFinder::LargestFace(const QImage& picture) const {
    if (!IsAvailable() || picture.isNull()) {
        return std::nullopt;
    }
    try {
        const QImage rgb = Rgb32(picture);
        Classifier classifier = Borrow();
        std::optional<QRect> face;
        for (const Pass& pass : kPasses) {
            face = Search(*classifier, rgb, pass);
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
