// The document alone, as a program without a window would drive it: open,
// edit, undo, save.
#include "document/ProfileDocument.h"
#include "render/Renderer.h"
#include "support/TestPictures.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage Pixels(const QImage& picture) {
    return picture.convertToFormat(QImage::Format_ARGB32);
}

TEST(ProfileDocument, OpensEditsUndoesAndSavesWithoutAWindow) {
    QTemporaryDir folder;
    const QString photo = folder.filePath("photo.png");
    ASSERT_TRUE(TestPictures::Gradient(400, 300).save(photo));
    ProfileDocument document;
    document.Launch(TestPictures::Solid(50, 50, Qt::blue));
    QSignalSpy opened(&document, &ProfileDocument::Opened);
    document.Open(photo); // read off this thread
    ASSERT_TRUE(opened.wait(60000));
    ASSERT_EQ(document.Picture().size(), QSize(400, 300));
    document.SetSelection({0.25f, 0.75f, 0.0f, 1.0f});
    document.ToggleLook(size_t(ProfileTargets::LookIndex("sepia")));
    document.SetText(QStringLiteral("Hi"));
    EXPECT_TRUE(document.UseCached());
    EXPECT_EQ(document.Request().selection.width, 200.0f);
    Renderer plain;
    const RenderResult want = plain.Render(document.Request());
    EXPECT_EQ(document.Rendered()[0], want.targets[0]);

    const auto edited = document.Rendered();
    document.UndoStack()->undo(); // the text
    document.UndoStack()->undo(); // the look
    EXPECT_TRUE(document.Looks().none());
    EXPECT_TRUE(document.Text().text.isEmpty());
    document.UndoStack()->redo();
    document.UndoStack()->redo();
    EXPECT_EQ(document.Rendered(), edited);

    const QList<ProfileDocument::SavedFile> saved = document.Save(folder.filePath("me"));
    ASSERT_EQ(saved.size(), 6);
    EXPECT_EQ(saved.first().path, folder.filePath("me_facebook.tif"));
    EXPECT_EQ(saved.last().path, folder.filePath("me.tif"));
    for (const ProfileDocument::SavedFile& file : saved) {
        EXPECT_TRUE(file.reason.isEmpty()) << file.reason.toStdString();
    }
    EXPECT_EQ(Pixels(QImage(saved.first().path)), Pixels(want.targets[0]));
}

} // namespace
