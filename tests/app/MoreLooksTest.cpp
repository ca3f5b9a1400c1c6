// Each of the more looks reaches its filter in both programs: the processed picture of the
// window and the whole picture trellica-batch writes are the filter run on the pixel image of
// the fitted selection. The window's step is undone like any look.
#include "render/MoreLooks.h"
#include "AppHarness.h"
#include "app/ControlNames.h"
#include "filters/Filters.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

struct LookRow {
    const char* name;
    void (*filter)(QuorelImage*);
};

void SoftBlur(QuorelImage* image) {
    Filters::GaussBlur(image, MoreLooks::kSoftBlurRadius);
}

// clang-format off
const LookRow kRows[] = {
    {"warmer", Filters::IncreaseHotColors}, {"colder", Filters::IncreaseColdColors},
    {"brighter", Filters::IncreaseExposureX2}, {"darker", Filters::DecreaseExposureX2},
    {"grain", Filters::Noise}, {"yellowed", Filters::Vergilben}, {"oldphoto", Filters::OldTimeFilter},
    {"popart1", Filters::PopArtPoster}, {"photomat1", Filters::Photomat_old}, {"blur", Filters::Blur},
    {"gaussblur", SoftBlur}, {"neon", Filters::NeonLight}, {"glass", Filters::GlassButton},
    {"relief", Filters::ReliefImage}};
// clang-format on

QImage Pixels(const QImage& picture) {
    return picture.convertToFormat(QImage::Format_ARGB32);
}

class MoreLookKeys : public ::testing::TestWithParam<LookRow> {};

TEST_P(MoreLookKeys, ReachTheirFilterInTheWindowAndTheBatch) {
    const LookRow& row = GetParam();
    AppHarness app;
    const QString photo = app.WriteFile("me.png", TestPictures::Gradient(300, 300));
    const QImage fitted = ImageTools::ScaleCutOut(QImage(photo), {0, 0, 300, 300}, {512, 512});
    const auto image = QuorelImage::InitWithNSImage(fitted);
    row.filter(image.get());
    const QImage want = Pixels(image->Preview());
    ASSERT_NE(want, Pixels(fitted));

    app.OpenFile(photo);
    const auto before = app.Controller().Document().Rendered();
    QAction* look = app.Find<QAction>(("look_" + std::string(row.name)).c_str());
    look->trigger();
    EXPECT_EQ(Pixels(app.Controller().croppedImage()), want);
    app.Controller().UndoStack()->undo();
    EXPECT_FALSE(look->isChecked());
    EXPECT_EQ(app.Controller().Document().Rendered(), before); // what the previews showed

    const QString out = app.Folder() + "/out";
    ASSERT_EQ(QProcess::execute(QStringLiteral(TRELLICA_BATCH_PROGRAM),
                                {"-q", "-o", out, "--networks", "", "--format", "png", "--looks",
                                 row.name, photo}),
              0);
    EXPECT_EQ(Pixels(QImage(out + "/me.png")), want);
}

INSTANTIATE_TEST_SUITE_P(Window, MoreLookKeys, ::testing::ValuesIn(kRows), CaseName());

} // namespace
