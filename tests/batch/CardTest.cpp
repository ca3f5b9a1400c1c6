// The presentation card and the drawn looks, as the two programs write them:
// the card's canvas and background, the window's card equal to the batch's,
// and Grain and Old photo giving the same bytes for any number of jobs.
#include "document/ProfileDocument.h"
#include "support/CaseName.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int Batch(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral(TRELLICA_BATCH_PROGRAM),
                             QStringList{"-q", "--format", "png"} + arguments);
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct CardCase {
    const char* name;
    QStringList arguments;
    CardStyle style;   // the same card in the window
    QSize size;        // of the card of a 512 x 512 whole picture
    QPoint corner;     // a point only the background reaches
    QColor background; // what it shows there
};

CardStyle Style(bool shadow, bool strip, bool frame, bool reflection, QColor background) {
    return {shadow, strip, frame, reflection, background};
}

const CardCase kCards[] = {
    {"Plain",
     {"--card", "frame"},
     Style(false, false, true, false, Qt::white),
     {512, 512},
     {-1, -1},
     Qt::white},
    {"ShadowOnGreen",
     {"--card", "shadow", "--card-background", "#00ff00"},
     Style(true, false, false, false, QColor(0, 255, 0)),
     {614, 614},
     {613, 0},
     QColor(0, 255, 0)},
    {"ReflectionOnBlue",
     {"--card", "reflection", "--card-background", "blue"},
     Style(false, false, false, true, Qt::blue),
     {512, 1024},
     {0, 1023},
     Qt::blue},
    {"StripAndShadow",
     {"--card", "strip,shadow"},
     Style(true, true, false, false, Qt::white),
     {614, 614},
     {613, 613},
     Qt::white},
};

class Cards : public testing::TestWithParam<CardCase> {
protected:
    void SetUp() override { ASSERT_TRUE(TestPictures::Gradient(300, 300).save(Path("me.png"))); }
    QString Path(const QString& name) const { return _folder.filePath(name); }

    QTemporaryDir _folder;
};

TEST_P(Cards, HaveTheirCanvasAndBackgroundInBothPrograms) {
    const CardCase& c = GetParam();
    ASSERT_EQ(Batch(QStringList{"-o", Path("out"), "--networks", ""} + c.arguments +
                    QStringList{Path("me.png")}),
              0);
    const QImage card(Path("out/me_card.png"));
    ASSERT_EQ(card.size(), c.size);
    if (c.corner.x() >= 0) {
        EXPECT_EQ(card.pixelColor(c.corner), c.background);
    }

    // The window's card of the same picture and style is the same file.
    ProfileDocument document;
    QSignalSpy opened(&document, &ProfileDocument::Opened);
    document.Open(Path("me.png"));
    ASSERT_TRUE(opened.wait(60000));
    document.SetSelection({0.0f, 1.0f, 0.0f, 1.0f});
    document.SetSaveFormat(QStringLiteral("png"));
    document.SetSavesCard(true);
    document.SetCard(c.style);
    ASSERT_TRUE(QDir(_folder.path()).mkpath("window"));
    document.Save(Path("window/me.png"));
    EXPECT_EQ(QImage(Path("window/me_card.png")), card);
}

INSTANTIATE_TEST_SUITE_P(Batch, Cards, testing::ValuesIn(kCards), CaseName());

TEST(DrawnLooks, GiveTheSameBytesForEveryPictureAndAnyNumberOfJobs) {
    QTemporaryDir folder;
    const QImage photo = TestPictures::Gradient(320, 240);
    ASSERT_TRUE(QDir(folder.path()).mkpath("in"));
    for (const char* name : {"a", "b", "c", "d"}) {
        ASSERT_TRUE(photo.save(folder.filePath(QStringLiteral("in/%1.png").arg(name))));
    }
    for (const char* jobs : {"1", "2", "4"}) {
        ASSERT_EQ(Batch({"-j", jobs, "-o", folder.filePath(jobs), "--networks", "", "--looks",
                         "grain,oldphoto", folder.filePath("in")}),
                  0);
    }
    const QByteArray first = Bytes(folder.filePath("1/a.png"));
    ASSERT_FALSE(first.isEmpty());
    for (const char* jobs : {"1", "2", "4"}) {
        for (const char* name : {"a", "b", "c", "d"}) {
            EXPECT_EQ(Bytes(folder.filePath(QStringLiteral("%1/%2.png").arg(jobs, name))), first)
                << jobs << " jobs, " << name;
        }
    }
}

} // namespace
