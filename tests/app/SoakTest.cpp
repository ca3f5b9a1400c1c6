// Thousands of random edits on the real window: looks, text, selection gestures,
// the size slider, colours, the text position and background. Memory must settle
// (no leak) and every preview must always fit the box of its target.
#include "AppHarness.h"
#include "support/TestPictures.h"
#include "views/ColorWell.h"
#include "views/CropImageView.h"
#include "views/PositionView.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true; // its quarantine holds freed memory; LeakSanitizer checks instead
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

struct TargetBox {
    const char* view;
    int width;
    int height;
};

constexpr TargetBox kBoxes[] = {
    {"facebook200", 200, 300}, {"facebook50", 50, 50}, {"twitter73", 73, 73},
    {"twitter48", 48, 48},     {"twitter31", 31, 31},  {"twitter24", 24, 24},
    {"linkedin80", 80, 80},    {"linkedin40", 40, 40}, {"google96", 96, 96},
    {"google82", 82, 82},      {"google40", 40, 40},   {"skype96", 96, 96},
    {"skype48", 48, 48}};

constexpr const char* kLookButtons[] = {
    "buttonSoften",  "buttonSharpen",   "buttonBW",        "buttonFrame",  "buttonPhotomat",
    "buttonInstant", "buttonFilmStrip", "buttonBlurfocus", "buttonToycam", "buttonPopart",
    "buttonSepia",   "buttonPosterize", "buttonColorize"};

constexpr const char* kWells[] = {"colorizeWell", "textColorWell", "textBackgroundColorWell"};

int SoakEdits() {
    bool ok = false;
    const int edits = qEnvironmentVariableIntValue("TRELLICA_SOAK_EDITS", &ok);
    return ok && edits > 0 ? edits : 10000;
}

long ResidentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

class RandomEditor {
public:
    explicit RandomEditor(AppHarness& app) : _app(app), _random(20261206) {}

    void Edit() {
        switch (Pick(8)) {
        case 0:
            _app.Click(kLookButtons[Pick(13)]);
            break;
        case 1:
            TypeOrErase();
            break;
        case 2:
            Gesture();
            break;
        case 3:
            Gesture();
            break;
        case 4:
            Slide();
            break;
        case 5:
            Recolour();
            break;
        case 6:
            PickPosition();
            break;
        default:
            _app.Click("textBackgroundToggle");
            break;
        }
        // As the application's event loop would: handle what the edit posted,
        // including the objects Qt deletes later (its busy-bar animations).
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(_random); }

    QPoint Somewhere(const QWidget* widget) {
        return QPoint(Pick(widget->width()), Pick(widget->height()));
    }

    void TypeOrErase() {
        auto* field = _app.Find<QLineEdit>("theTextField");
        if (field->text().size() > 16 || Pick(4) == 0) {
            QTest::keyClick(field, Qt::Key_Backspace);
        } else {
            QTest::keyClick(field, char('a' + Pick(26)));
        }
    }

    void Gesture() {
        auto* view = _app.Find<CropImageView>("baseImageView");
        const int kind = Pick(10);
        const Qt::KeyboardModifiers modifiers =
            kind == 0 ? Qt::ShiftModifier : (kind == 1 ? Qt::ControlModifier : Qt::NoModifier);
        QTest::mouseMove(view, Somewhere(view));
        QTest::mouseClick(view, Qt::LeftButton, modifiers, Somewhere(view));
    }

    void Slide() {
        auto* slider = _app.Find<QSlider>("textSizeSlider");
        slider->setValue(slider->minimum() + Pick(slider->maximum() - slider->minimum() + 1));
    }

    void Recolour() {
        auto* well = _app.Find<ColorWell>(kWells[Pick(3)]);
        const QColor colour(Pick(256), Pick(256), Pick(256));
        well->setColor(colour);
        emit well->colorChanged(colour); // as the well's dialog does when the user picks
    }

    void PickPosition() {
        auto* picker = _app.Find<PositionView>("positionView");
        QTest::mouseClick(picker, Qt::LeftButton, {}, Somewhere(picker));
    }

    AppHarness& _app;
    std::mt19937 _random;
};

TEST(SoakWindow, RandomEditsLeakNothingAndKeepEveryPreviewInItsBox) {
    AppHarness app;
    app.Open(TestPictures::Gradient(900, 600));
    app.Click("resetButton");
    RandomEditor editor(app);
    const int edits = SoakEdits();
    long afterFirstHundred = 0;
    for (int edit = 1; edit <= edits; ++edit) {
        editor.Edit();
        for (const TargetBox& box : kBoxes) {
            const QImage preview = app.Preview(box.view);
            ASSERT_LE(preview.width(), box.width) << box.view << " after edit " << edit;
            ASSERT_LE(preview.height(), box.height) << box.view << " after edit " << edit;
        }
        if (edit == 100) {
            afterFirstHundred = ResidentKiB();
        }
    }
    const long atEnd = ResidentKiB();
    std::printf("soak: %d edits, resident memory %ld KiB after 100 edits, %ld KiB at the end\n",
                edits, afterFirstHundred, atEnd);
    if (!kSanitized && edits >= 1000) {
        EXPECT_LE(atEnd, afterFirstHundred + afterFirstHundred / 10);
    }
}

} // namespace
