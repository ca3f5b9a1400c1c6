#include "render/SelectionProposals.h"
#include "render/FaceFinder.h"

#include <QPainter>
#include <future>
#include <gtest/gtest.h>

namespace {

// Real photographs, as Debian's opencv-doc installs them (scripts/install-deps.sh).
QImage Photo(const char* name) {
    const QImage photo(QStringLiteral("/usr/share/doc/opencv-doc/examples/data/") + name);
    EXPECT_FALSE(photo.isNull()) << "missing " << name << ": install opencv-doc";
    return photo;
}

const FaceFinder& Finder() {
    static const FaceFinder finder;
    EXPECT_TRUE(finder.IsAvailable()) << finder.UnavailableReason().toStdString();
    return finder;
}

// A face near `centre` is found, and its square holds it inside the picture.
void ExpectFaceSquare(const QImage& photo, QPoint centre) {
    const std::optional<QRect> face = Finder().LargestFace(photo);
    ASSERT_TRUE(face);
    EXPECT_LT((face->center() - centre).manhattanLength(), face->width() / 3);
    const QRect square = SelectionProposals::FaceSquare(photo, Finder())->pixels;
    EXPECT_EQ(square.width(), square.height());
    EXPECT_TRUE(square.contains(*face) && photo.rect().contains(square));
}

// A portrait, and a face under 3 % of the long side, as a person in a landscape shot.
TEST(FaceProposal, HoldsTheFaceLargeOrSmall) {
    ExpectFaceSquare(Photo("messi5.jpg"), {245, 112});
    QImage wide(1600, 900, QImage::Format_RGB32);
    wide.fill(Qt::gray);
    QPainter(&wide).drawImage(0, 210, Photo("basketball1.png"));
    ExpectFaceSquare(wide, {92, 321});
}

// No face in photos without people nor in no pixels; two searches at once agree; a finder
// without its cascade finds nothing and says why.
TEST(FaceFinder, FindsNoFaceWithoutPeopleOrPixelsOrCascade) {
    for (const char* name : {"building.jpg", "fruits.jpg", "starry_night.jpg", "baboon.jpg"}) {
        EXPECT_FALSE(Finder().LargestFace(Photo(name))) << name;
    }
    QImage sliver(1, 5000, QImage::Format_Grayscale8);
    sliver.fill(0);
    EXPECT_FALSE(Finder().LargestFace(QImage()) || Finder().LargestFace(sliver));
    const QImage photo = Photo("messi5.jpg");
    auto beside = std::async(std::launch::async, [&] { return Finder().LargestFace(photo); });
    EXPECT_EQ(Finder().LargestFace(photo), beside.get());
    const FaceFinder missing(QStringLiteral("no-such-cascade.xml"));
    EXPECT_FALSE(missing.IsAvailable() || missing.UnavailableReason().isEmpty());
    EXPECT_FALSE(missing.LargestFace(photo));
}

// Picture coordinates differ from the pixels only in y, counted up from the bottom.
struct SquareCase {
    const char* name;
    QRect face; // empty: the centred square
    QSize picture;
    QRect pixels;
    float pictureY;
    friend void PrintTo(const SquareCase& c, std::ostream* os) { *os << c.name; }
};

class Proposal : public testing::TestWithParam<SquareCase> {};

TEST_P(Proposal, PixelsAndPictureCoordinates) {
    const SquareCase& c = GetParam();
    const SelectionProposal p = c.face.isEmpty()
                                    ? SelectionProposals::CenteredSquare(c.picture)
                                    : SelectionProposals::FaceSquare(c.face, c.picture);
    EXPECT_EQ(p.pixels, c.pixels);
    EXPECT_EQ(QRectF(p.picture.x, p.picture.y, p.picture.width, p.picture.height),
              QRectF(c.pixels.x(), c.pictureY, c.pixels.width(), c.pixels.height()));
}

INSTANTIATE_TEST_SUITE_P(
    Squares, Proposal,
    testing::Values(
        SquareCase{"CentredOddPortrait", {}, {301, 400}, {0, 49, 301, 301}, 50},
        SquareCase{"FaceInTheMiddle", {400, 300, 100, 100}, {1200, 900}, {350, 256, 200, 200}, 444},
        SquareCase{"FaceInTheCorner", {0, 0, 100, 100}, {1200, 900}, {0, 0, 200, 200}, 700},
        SquareCase{"FaceTooLarge", {100, 100, 500, 500}, {800, 600}, {50, 0, 600, 600}, 0}),
    testing::PrintToStringParamName());

} // namespace
