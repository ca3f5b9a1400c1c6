#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Real photographs, as Debian's opencv-doc installs them (scripts/install-deps.sh).
const QString kPhotos = QStringLiteral("/usr/share/doc/opencv-doc/examples/data/");

// Runs trellica-batch on the footballer and a building; its stderr.
QString RunBatch(const QString& out, const char* select) {
    QProcess process;
    process.start(QStringLiteral(TRELLICA_BATCH_PROGRAM),
                  {QStringLiteral("-o"), out, QStringLiteral("--select"), QLatin1String(select),
                   kPhotos + QStringLiteral("messi5.jpg"),
                   kPhotos + QStringLiteral("building.jpg")});
    process.waitForFinished(120000);
    EXPECT_EQ(process.exitCode(), 0) << select;
    return QString::fromLocal8Bit(process.readAllStandardError());
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A photo without a face falls back to the centred square with a warning and still counts.
TEST(BatchFace, SelectsTheFaceOrWarnsAndFallsBackToTheCentre) {
    QTemporaryDir dir;
    const QString face = RunBatch(dir.filePath(QStringLiteral("face")), "face");
    RunBatch(dir.filePath(QStringLiteral("center")), "center");
    EXPECT_TRUE(face.startsWith(QStringLiteral("trellica-batch: ") + kPhotos +
                                QStringLiteral("building.jpg: warning: no face found")))
        << face.toStdString();
    EXPECT_FALSE(face.contains(QStringLiteral("messi5.jpg")));
    EXPECT_TRUE(face.contains(QStringLiteral("12 files, 0 failed")));
    for (const auto& [name, same] : {std::pair{"building.tif", true}, {"messi5.tif", false}}) {
        EXPECT_EQ(Bytes(dir.filePath(QStringLiteral("face/")) + name) ==
                      Bytes(dir.filePath(QStringLiteral("center/")) + name),
                  same)
            << name;
    }
}

} // namespace
