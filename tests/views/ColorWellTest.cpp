#include "views/ColorWell.h"

#include <QColorDialog>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ColorWellTest, ShowsItsColourAndReportsOnlyAColourPicked) {
    ColorWell well;
    well.resize(60, 30);
    well.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&well));
    QSignalSpy changed(&well, &ColorWell::colorChanged);
    well.setColor(QColor(0, 0, 255)); // set in code: shown, not reported
    EXPECT_EQ(well.grab().toImage().pixelColor(30, 15), QColor(0, 0, 255));
    for (const bool accept : {false, true}) {
        QTest::mouseClick(&well, Qt::LeftButton);
        QColorDialog* dialog = well.Dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
        EXPECT_EQ(dialog->currentColor(), QColor(0, 0, 255));
        QTest::mouseClick(&well, Qt::LeftButton); // no second dialog
        EXPECT_EQ(well.findChildren<QColorDialog*>().size(), 1);
        dialog->setCurrentColor(QColor(10, 200, 30));
        accept ? dialog->accept() : dialog->reject();
        EXPECT_EQ(changed.count(), accept ? 1 : 0);
        EXPECT_EQ(well.color(), accept ? QColor(10, 200, 30) : QColor(0, 0, 255));
        QTest::qWait(0); // let the closed dialog be deleted
        EXPECT_EQ(well.Dialog(), nullptr);
    }
    EXPECT_EQ(changed.at(0).at(0).value<QColor>(), QColor(10, 200, 30));
}

} // namespace
