// Prints how alike each look stays on larger pictures (LookLikeness): for every
// look alone and all thirteen together, on real photos fitted whole into S x S
// and into 512 x 512, the mean absolute difference of the two 128 x 128
// reductions in the channel where it is largest. The first row, no look at all,
// is what the two fits alone differ by. Exits 1 when any figure is above
// LookLikeness::kAlike.
//
//   trellica_measure_looks [PHOTO...]   (default: photos of Debian's opencv-doc)
#include "filters/LookLikeness.h"
#include "filters/ScaledLooks.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <cstdio>
#include <numeric>
#include <vector>

namespace {

const char* const kPhotoFolder = "/usr/share/doc/opencv-doc/examples/data/";
const char* const kPhotos[] = {"baboon.jpg", "fruits.jpg", "messi5.jpg", "aloeL.jpg"};
constexpr int32_t kSides[] = {800, 1024, 2048};

struct Photo {
    QString name;
    QImage picture;
};

std::vector<Photo> Photos(const QStringList& paths) {
    std::vector<Photo> photos;
    for (const QString& path : paths) {
        const QImage picture(path);
        if (picture.isNull()) {
            std::fprintf(stderr, "trellica_measure_looks: %s: not a picture\n", qPrintable(path));
            continue;
        }
        photos.push_back({QFileInfo(path).fileName(), picture});
    }
    return photos;
}

// The look's figures, one per photo and side; the largest.
double PrintRow(const char* name, const std::vector<size_t>& rows,
                const std::vector<Photo>& photos) {
    std::printf("%-10s", name);
    double largest = 0.0;
    for (const Photo& photo : photos) {
        const FloatRect whole{0.0f, 0.0f, float(photo.picture.width()),
                              float(photo.picture.height())};
        for (int32_t side : kSides) {
            const double d =
                LookLikeness::Measure(photo.picture, whole, side, rows, QColor(Qt::red)).Largest();
            std::printf(" %6.2f", d);
            largest = std::max(largest, d);
        }
    }
    std::printf("\n");
    std::fflush(stdout);
    return largest;
}

// The pixel image's progress lines would bury the table.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(Quiet);
    QStringList paths = app.arguments().mid(1);
    if (paths.isEmpty()) {
        for (const char* name : kPhotos) {
            paths << QString::fromLatin1(kPhotoFolder) + QString::fromLatin1(name);
        }
    }
    const std::vector<Photo> photos = Photos(paths);
    if (photos.empty()) {
        return 2;
    }
    std::printf("%-10s", "look");
    for (const Photo& photo : photos) {
        for (int32_t side : kSides) {
            std::printf(" %6s", qPrintable(photo.name.left(5) + QString::number(side / 100)));
        }
    }
    std::printf("   (photo, S / 100; levels of 255)\n");
    double largest = PrintRow("none", {}, photos);
    std::vector<size_t> all(ScaledLooks::kLookCount);
    std::iota(all.begin(), all.end(), size_t(0));
    for (size_t row : all) {
        largest = std::max(largest, PrintRow(ScaledLooks::Key(row), {row}, photos));
    }
    largest = std::max(largest, PrintRow("all", all, photos));
    std::printf("largest %.2f, alike within %.0f: %s\n", largest, LookLikeness::kAlike,
                largest <= LookLikeness::kAlike ? "yes" : "no");
    return largest <= LookLikeness::kAlike ? 0 : 1;
}
