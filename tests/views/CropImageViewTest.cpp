#include "views/CropImageView.h"

#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QCursor>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kSide = 300;

const QRectF kWhole(0, 37.5, 300, 225);

// A 300 x 300 crop view on screen with its labels, recording its signals, showing a
// 400 x 300 picture, driven with real mouse events at view coordinates (y up).
class CropImageViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        QCursor::setPos(-1000, -1000); // so every move below is a real movement
        view.resize(kSide, kSide);
        view.SetSizeLabels(&width, &height);
        QObject::connect(&view, &CropImageView::SelectionFinished, [this] { calls << "finished"; });
        QObject::connect(&view, &CropImageView::CroppingAccepted, [this] { calls << "accepted"; });
        QObject::connect(&view, &CropImageView::CroppingCancelled,
                         [this] { calls << "cancelled"; });
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.SetTheImage(TestPictures::Solid(400, 300, Qt::black));
    }
    static QPoint At(float x, float y) { return QPoint(int(x), kSide - int(y)); }
    void ClickAt(float x, float y, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(&view, Qt::LeftButton, modifiers, At(x, y));
    }
    void MoveTo(float x, float y) { QTest::mouseMove(&view, At(x, y)); }
    void Span(float ax, float ay, float px, float py) {
        ClickAt(ax, ay);
        MoveTo(px, py);
        ClickAt(px, py);
    }
    QString Labels() const { return width.text() + " x " + height.text(); }

    CropImageView view;
    QLabel width;
    QLabel height;
    QStringList calls; // the view's signals
};

// (The landscape fit is the gesture machine's; a portrait one shows the labels and log.)
TEST_F(CropImageViewTest, FitsTheSelectionToThePicture) {
    {
        LogCapture log;
        view.SetTheImage(TestPictures::Solid(300, 400, Qt::gray));
        EXPECT_EQ((QStringList(Labels()) + log.Lines()).join('|'),
                  "225 x 300|Setting Cropping View Image:|bla?|"
                  "Image Size: 225.000000, 300.000000|Margins: 37.500000, 0.000000");
        EXPECT_EQ(view.GetSelection(), QRectF(37.5, 0, 225, 300));
        EXPECT_EQ(view.FittedRect(), QRectF(37.5, 0, 225, 300)); // centred: the same y-down
    }
    LogCapture log; // no picture: only the two lines and the focus
    view.SetTheImage(QImage());
    EXPECT_EQ(log.Lines(), QStringList({"Setting Cropping View Image:", "bla?"}));
    EXPECT_TRUE(view.hasFocus());
    EXPECT_FALSE(view.image().isNull());
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(CropImageViewTest, SignalsAndTheirLogLines) {
    ClickAt(220, 200);
    MoveTo(100, 100);
    EXPECT_TRUE(calls.isEmpty());
    ClickAt(20, 60);
    EXPECT_EQ(view.GetSelection(), QRectF(20, 60, 200, 140));
    EXPECT_EQ(Labels(), "200 x 140");
    EXPECT_EQ(calls, QStringList{"finished"});
    ClickAt(100, 100, Qt::ControlModifier); // one more gesture: a finished one each
    MoveTo(110, 104);
    ClickAt(110, 104, Qt::ShiftModifier);
    LogCapture log;
    view.CropOk();
    view.CropDismiss();
    EXPECT_EQ(log.Lines(), QStringList({"Crop OK", "Crop Dismiss"}));
    EXPECT_EQ(calls, QStringList({"finished", "finished", "accepted", "cancelled"}));
}

TEST_F(CropImageViewTest, OnlyTheReleaseOfTheLeftButtonIsAClick) {
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, At(20, 20));
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, At(50, 50));
    QTest::mouseMove(&view, At(200, 200));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, At(200, 200));
    EXPECT_EQ(view.GetSelection(), kWhole); // dragging moved nothing
    EXPECT_TRUE(calls.isEmpty());
    MoveTo(250, 220); // the selection now follows from the release point
    EXPECT_EQ(view.GetSelection(), QRectF(200, 200, 50, 20));
}

TEST_F(CropImageViewTest, DrawsTheLightenedSelectionGuidesAndCornerLabels) {
    struct Case {
        float toX, toY; // the second corner; the first is (50, 50)
        QColor guide;
    };
    const Case cases[] = {{150, 150, QColor(0, 255, 0)}, {150, 140, QColor(255, 255, 255)}};
    view.SetTheImage(TestPictures::Solid(kSide, kSide, Qt::black));
    for (const Case& c : cases) {
        Span(50, 50, c.toX, c.toY);
        const QImage shot = view.grab().toImage();
        ASSERT_EQ(shot.size(), QSize(kSide, kSide));
        const auto at = [&](int x, int y) { return shot.pixelColor(x, kSide - 1 - y); };
        EXPECT_EQ(at(100, 100), QColor(64, 64, 64)); // white at 0.25 over black
        EXPECT_EQ(at(20, 20), QColor(0, 0, 0));      // outside: not dimmed, not lightened
        // The guides run across the whole view along the selection's edges.
        for (const QPoint p :
             {QPoint(50, 290), QPoint(int(c.toX), 5), QPoint(5, 50), QPoint(295, int(c.toY))}) {
            EXPECT_EQ(at(p.x(), p.y()), c.guide);
        }
        int bright = 0; // the top-left label sits just above the selection's top-left corner
        for (int y = int(c.toY) + 2; y < int(c.toY) + 16; ++y) {
            for (int x = 52; x < 110; ++x) {
                bright += at(x, y).lightness() > 128 ? 1 : 0;
            }
        }
        EXPECT_GT(bright, 20);
    }
}

} // namespace
