#include "render/SelectionProposals.h"
#include "render/FaceFinder.h"

#include <QFile>
#include <QPainter>
#include <future>
#include <gtest/gtest.h>

namespace {

// Real photographs, as Debian's opencv-doc installs them (scripts/install-deps.sh).
QImage Photo(const char* name) {
    const QString path = QStringLiteral("/usr/share/doc/opencv-doc/examples/data/") + name;
    const QImage photo(path);
    EXPECT_FALSE(photo.isNull()) << "missing " << path.toStdString() << ": install opencv-doc";
    return photo;
}

// A person of 640 x 480 on the left of a plain 1600 x 900 canvas: the face is
// under 3 % of the long side.
QImage WideShot() {
    QImage wide(1600, 900, QImage::Format_RGB32);
    wide.fill(QColor(128, 128, 128));
    QPainter(&wide).drawImage(0, 210, Photo("basketball1.png"));
    return wide;
}

const FaceFinder& Finder() {
    static const FaceFinder finder;
    EXPECT_TRUE(finder.IsAvailable()) << finder.UnavailableReason().toStdString();
    return finder;
}

struct PeopleCase {
    const char* name;
    QImage (*photo)();
    QPoint faceCentre;
};

class FaceProposal : public testing::TestWithParam<PeopleCase> {};

TEST_P(FaceProposal, HoldsTheFaceInsideThePicture) {
    const QImage photo = GetParam().photo();
    const std::optional<QRect> face = Finder().LargestFace(photo);
    ASSERT_TRUE(face);
    EXPECT_LT((face->center() - GetParam().faceCentre).manhattanLength(), face->width() / 3);
    const SelectionProposal square = *SelectionProposals::FaceSquare(photo, Finder());
    EXPECT_EQ(square.pixels.width(), square.pixels.height());
    EXPECT_TRUE(square.pixels.contains(*face));
    EXPECT_TRUE(photo.rect().contains(square.pixels));
}

INSTANTIATE_TEST_SUITE_P(
    People, FaceProposal,
    testing::Values(PeopleCase{"Footballer", [] { return Photo("messi5.jpg"); }, {245, 112}},
                    PeopleCase{"Player", [] { return Photo("basketball1.png"); }, {92, 111}},
                    PeopleCase{"SmallInWideShot", WideShot, {92, 321}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FaceFinder, FindsNoFaceWithoutPeople) {
    for (const char* name : {"building.jpg", "home.jpg", "squirrel_cls.jpg", "fruits.jpg",
                             "starry_night.jpg", "baboon.jpg", "board.jpg", "aero1.jpg"}) {
        EXPECT_FALSE(Finder().LargestFace(Photo(name))) << name;
    }
}

TEST(FaceFinder, ConcurrentSearchesAgree) {
    const QImage photo = Photo("messi5.jpg");
    const std::optional<QRect> alone = Finder().LargestFace(photo);
    std::vector<std::future<std::optional<QRect>>> runs;
    for (int i = 0; i < 4; ++i) {
        runs.push_back(std::async(std::launch::async, [&] { return Finder().LargestFace(photo); }));
    }
    for (auto& run : runs) {
        EXPECT_EQ(run.get(), alone);
    }
}

TEST(FaceFinder, MissingCascadeIsUnavailableWithAReason) {
    const FaceFinder finder(QStringLiteral("no-such-cascade.xml"));
    EXPECT_FALSE(finder.IsAvailable());
    EXPECT_FALSE(finder.UnavailableReason().isEmpty());
    EXPECT_FALSE(finder.LargestFace(Photo("messi5.jpg")));
}

struct SquareCase {
    const char* name;
    QRect face; // empty: the centred square
    QSize picture;
    QRect pixels;
    FloatRect picture_coords;
};

class Proposal : public testing::TestWithParam<SquareCase> {};

TEST_P(Proposal, PixelsAndPictureCoordinates) {
    const SquareCase& c = GetParam();
    const SelectionProposal p = c.face.isEmpty()
                                    ? SelectionProposals::CenteredSquare(c.picture)
                                    : SelectionProposals::FaceSquare(c.face, c.picture);
    EXPECT_EQ(p.pixels, c.pixels);
    EXPECT_EQ(QRectF(p.picture.x, p.picture.y, p.picture.width, p.picture.height),
              QRectF(c.picture_coords.x, c.picture_coords.y, c.picture_coords.width,
                     c.picture_coords.height));
}

INSTANTIATE_TEST_SUITE_P(
    Squares, Proposal,
    testing::Values(
        SquareCase{
            "CentredLandscape", {}, {4032, 3024}, {504, 0, 3024, 3024}, {504, 0, 3024, 3024}},
        SquareCase{"CentredOddPortrait", {}, {301, 400}, {0, 49, 301, 301}, {0, 50, 301, 301}},
        SquareCase{"FaceInTheMiddle",
                   {400, 300, 100, 100},
                   {1200, 900},
                   {350, 256, 200, 200},
                   {350, 444, 200, 200}},
        SquareCase{
            "FaceInTheCorner", {0, 0, 100, 100}, {1200, 900}, {0, 0, 200, 200}, {0, 700, 200, 200}},
        SquareCase{"FaceTooLarge",
                   {100, 100, 500, 500},
                   {800, 600},
                   {50, 0, 600, 600},
                   {50, 0, 600, 600}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
