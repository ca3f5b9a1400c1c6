// Turning a photo in Trellica equals cropping a copy turned beforehand, byte
// for byte: in the document (the window) and in trellica-batch.
#include "document/ProfileDocument.h"
#include "support/CaseName.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTransform>
#include <gtest/gtest.h>

namespace {

using Turn = PictureTurns::Turn;

struct TurnCase {
    const char* name;
    std::vector<Turn> turns;
    QStringList batchArguments;
    QTransform before; // the same turn, made independently
    bool mirror;       // after `before`
};

const TurnCase kCases[] = {
    {"Right", {Turn::Right}, {"--rotate", "90"}, QTransform().rotate(90), false},
    {"HalfTurn", {Turn::HalfTurn}, {"--rotate", "180"}, QTransform().rotate(180), false},
    {"Left", {Turn::Left}, {"--rotate", "270"}, QTransform().rotate(270), false},
    {"Flip", {Turn::Flip}, {"--flip"}, QTransform(), true},
    {"RightThenFlip",
     {Turn::Right, Turn::Flip},
     {"--rotate", "90", "--flip"},
     QTransform().rotate(90),
     true},
};

class Turning : public testing::TestWithParam<TurnCase> {
protected:
    void SetUp() override {
        const TurnCase& c = GetParam();
        const QImage photo = TestPictures::Gradient(300, 200);
        QImage turned = photo.transformed(c.before);
        turned = c.mirror ? turned.mirrored(true, false) : turned;
        ASSERT_TRUE(photo.save(Path("photo.png")) && turned.save(Path("turned.png")));
    }
    QString Path(const QString& name) const { return _folder.filePath(name); }

    // The document's previews for the photo at path, turned, with one selection.
    ProfileDocument::Previews Rendered(const QString& path, const std::vector<Turn>& turns) {
        ProfileDocument document;
        QSignalSpy opened(&document, &ProfileDocument::Opened);
        document.Open(path);
        EXPECT_TRUE(opened.wait(60000));
        for (const Turn turn : turns) {
            document.Turn(turn);
        }
        document.SetSelection({0.1f, 0.7f, 0.2f, 0.9f});
        return document.Rendered();
    }

    // The files trellica-batch writes for the photo, turned, with one rectangle.
    QStringList Written(const QString& photo, const QStringList& turn, const QString& out) {
        QProcess batch;
        batch.start(QStringLiteral(TRELLICA_BATCH_PROGRAM),
                    QStringList{"-q", "-o", out, "--select", "20,30,150,120", "--text", "Hi"} +
                        turn + QStringList{photo});
        batch.waitForFinished(60000);
        EXPECT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString();
        QStringList bytes;
        for (const QString& name : QDir(out).entryList(QDir::Files, QDir::Name)) {
            bytes << QString::fromLatin1(TestPictures::Bytes(QDir(out).filePath(name)).toHex());
        }
        return bytes;
    }

    QTemporaryDir _folder;
};

TEST_P(Turning, EqualsCroppingAPreTurnedCopy) {
    const TurnCase& c = GetParam();
    EXPECT_EQ(Rendered(Path("photo.png"), c.turns), Rendered(Path("turned.png"), {}));
    const QStringList turned = Written(Path("photo.png"), c.batchArguments, Path("a"));
    EXPECT_EQ(turned.size(), 6);
    EXPECT_EQ(turned, Written(Path("turned.png"), {}, Path("b")));
}

INSTANTIATE_TEST_SUITE_P(Turns, Turning, testing::ValuesIn(kCases), CaseName());

} // namespace
