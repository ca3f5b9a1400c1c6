// Random edits on the real window: looks, text, selection gestures, the size
// slider, colours, the text position and background. Memory must settle (no
// leak) and every preview must always fit the box of its target.
#include "AppHarness.h"
#include "render/ProfileTargets.h"
#include "support/TestPictures.h"
#include "views/ColorWell.h"

#include <QFile>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true; // its quarantine holds freed memory; LeakSanitizer checks
#else
constexpr bool kSanitized = false;
#endif

long ResidentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    const QList<QByteArray> fields =
        statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ') : QList<QByteArray>();
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

void Edit(AppHarness& app, std::mt19937& random) {
    const auto pick = [&random](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(random);
    };
    const auto somewhere = [&pick](QWidget* w) {
        return QPoint(pick(w->width()), pick(w->height()));
    };
    auto* field = app.Find<QLineEdit>("theTextField");
    auto* crop = app.Find<QWidget>("baseImageView");
    auto* slider = app.Find<QSlider>("textSizeSlider");
    const char* wells[] = {"colorizeWell", "textColorWell", "textBackgroundColorWell"};
    switch (pick(7)) {
    case 0:
        app.Click(ProfileTargets::Looks()[size_t(pick(13))].buttonName);
        break;
    case 1:
        QTest::keyClick(field, field->text().size() > 16 || pick(4) == 0
                                   ? Qt::Key_Backspace
                                   : Qt::Key(Qt::Key_A + pick(26)));
        break;
    case 2:
        QTest::mouseMove(crop, somewhere(crop));
        QTest::mouseClick(crop, Qt::LeftButton, pick(3) == 0 ? Qt::ShiftModifier : Qt::NoModifier,
                          somewhere(crop));
        break;
    case 3:
        slider->setValue(slider->minimum() + pick(slider->maximum() - slider->minimum() + 1));
        break;
    case 4: {
        auto* well = app.Find<ColorWell>(wells[pick(3)]);
        well->setColor(QColor(pick(256), pick(256), pick(256)));
        emit well->colorChanged(well->color()); // as the well's dialog does when the user picks
        break;
    }
    case 5:
        QTest::mouseClick(app.Find<QWidget>("positionView"), Qt::LeftButton, {},
                          somewhere(app.Find<QWidget>("positionView")));
        break;
    default:
        app.Click("textBackgroundToggle");
    }
    // As the event loop would: what the edit posted, and what Qt deletes later.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(SoakWindow, RandomEditsLeakNothingAndKeepEveryPreviewInItsBox) {
    AppHarness app;
    app.Open(TestPictures::Gradient(900, 600));
    app.Click("resetButton");
    std::mt19937 random(20261206);
    const int edits = std::max(qEnvironmentVariableIntValue("TRELLICA_SOAK_EDITS"), 2000);
    long settled = 0;
    for (int edit = 1; edit <= edits; ++edit) {
        Edit(app, random);
        for (const ProfileTarget& target : ProfileTargets::Targets()) {
            const QSize shown = app.Preview(target.objectName).size();
            ASSERT_LE(shown.width(), target.box.width) << target.objectName << " edit " << edit;
            ASSERT_LE(shown.height(), target.box.height) << target.objectName << " edit " << edit;
        }
        settled = edit == edits / 2 ? ResidentKiB() : settled; // caches have warmed up
    }
    std::printf("soak: %d edits, %ld KiB halfway, %ld KiB at the end\n", edits, settled,
                ResidentKiB());
    if (!kSanitized) {
        EXPECT_LE(ResidentKiB(), settled + settled / 10);
    }
}

} // namespace
