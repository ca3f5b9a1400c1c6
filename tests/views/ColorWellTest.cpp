#include "views/ColorWell.h"

#include <QColorDialog>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ColorWellTest : public ::testing::Test {
protected:
    void SetUp() override {
        well.resize(60, 30);
        well.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&well));
    }
    QColorDialog* OpenByClick() {
        QTest::mouseClick(&well, Qt::LeftButton);
        return well.Dialog();
    }
    ColorWell well;
};

TEST_F(ColorWellTest, SettingTheColourInCodeReportsNothing) {
    QSignalSpy changed(&well, &ColorWell::colorChanged);
    well.setColor(QColor(255, 0, 0));
    EXPECT_EQ(well.color(), QColor(255, 0, 0));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(well.grab().toImage().pixelColor(30, 15), QColor(255, 0, 0)); // shows its colour
}

TEST_F(ColorWellTest, ClickOpensAWindowModalDialogOnTheColour) {
    well.setColor(QColor(0, 0, 255));
    QColorDialog* dialog = OpenByClick();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_EQ(dialog->currentColor(), QColor(0, 0, 255));
    EXPECT_EQ(OpenByClick(), dialog); // a second click opens no second dialog
    EXPECT_EQ(well.findChildren<QColorDialog*>().size(), 1);
    dialog->reject();
}

TEST_F(ColorWellTest, PickedColourIsSetAndReportedOnce) {
    QSignalSpy changed(&well, &ColorWell::colorChanged);
    QColorDialog* dialog = OpenByClick();
    ASSERT_NE(dialog, nullptr);
    dialog->setCurrentColor(QColor(10, 200, 30));
    dialog->accept();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QColor>(), QColor(10, 200, 30));
    EXPECT_EQ(well.color(), QColor(10, 200, 30));
    QTest::qWait(0); // let the closed dialog be deleted
    EXPECT_EQ(well.Dialog(), nullptr);
}

TEST_F(ColorWellTest, CancelledDialogChangesNothing) {
    well.setColor(QColor(Qt::black));
    QSignalSpy changed(&well, &ColorWell::colorChanged);
    QColorDialog* dialog = OpenByClick();
    ASSERT_NE(dialog, nullptr);
    dialog->setCurrentColor(QColor(10, 200, 30));
    dialog->reject();
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(well.color(), QColor(Qt::black));
}

} // namespace
