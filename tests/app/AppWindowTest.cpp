#include "AppHarness.h"
#include "ProductInfo.h"
#include "app/ControlNames.h"
#include "app/LaunchArguments.h"
#include "app/PictureFileFilter.h"
#include "app/WebAddresses.h"
#include "render/ProfileTargets.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"
#include "views/ImageView.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QUrl kHome(QString::fromLatin1(WebAddresses::kHomePage));
const QUrl kProduct(QString::fromLatin1(WebAddresses::kProductPage));

// A drag of one file onto the window, dropped.
bool Drop(QWidget* window, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = window->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    return drop.isAccepted();
}

// Launching sets the flags and the picture but renders nothing; the logo opens the home page,
// the product button the product page; the about box names the version.
TEST(AppWindow, LaunchSetsFlagsAndPictureButRendersNothing) {
    AddressCatcher catcher;
    AppHarness app;
    AppController& controller = app.Controller();
    for (const char* name : ControlNames::LookButtons()) {
        const QAbstractButton* button = app.Find<QAbstractButton>(name);
        EXPECT_TRUE(button->isCheckable() && !button->isChecked()) << name;
    }
    // Every control a screen reader reaches has a name.
    for (QWidget* control : app.Window()->findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus || qobject_cast<ImageView*>(control)) {
            const QString spoken = control->accessibleName();
            const auto* button = qobject_cast<QAbstractButton*>(control);
            EXPECT_FALSE(spoken.isEmpty() && (!button || button->text().isEmpty()))
                << control->objectName().toStdString();
        }
    }
    EXPECT_TRUE(controller.options().none());
    EXPECT_TRUE(controller.saveOptions().all());
    EXPECT_TRUE(app.Find<QAbstractButton>("textBackgroundToggle")->isChecked());
    EXPECT_FALSE(controller.theImage().isNull());
    EXPECT_EQ(controller.theImage(), app.Find<ImageView>("baseImageView")->image());
    EXPECT_TRUE(app.Preview("facebook200").isNull() && app.Preview("twitter24").isNull());
    EXPECT_FALSE(controller.useCached());
    QTest::mouseClick(app.Find<QWidget>("logoView"), Qt::LeftButton);
    EXPECT_EQ(catcher.opened, QList<QUrl>{kHome});
    app.Click("productPageButton");
    EXPECT_EQ(catcher.opened.last(), kProduct);
    for (QAction* action : app.Window()->findChildren<QAction*>()) {
        if (action->text() == QStringLiteral("&About Trellica")) {
            action->trigger();
        }
    }
    auto* about = app.Window()->findChild<QMessageBox*>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->text().contains(QLatin1String(ProductInfo::kVersion)));
    EXPECT_TRUE(about->informativeText().contains(QStringLiteral("MIT")));
}

TEST(AppWindow, SaveBoxTwiceRunsNothingAndSliderRunsWithWholePoints) {
    AppHarness app;
    const char* box = ControlNames::SaveBoxes()[0];
    app.Click(box);
    EXPECT_FALSE(app.Controller().saveOptions()[0]);
    app.Click(box);
    EXPECT_TRUE(app.Controller().saveOptions()[0]);
    EXPECT_FALSE(app.Controller().useCached());         // no run
    app.Find<QSlider>("textSizeSlider")->setValue(127); // 12.7
    EXPECT_EQ(app.Find<QLabel>("textSizeSliderVal")->text(), QStringLiteral("12 pt"));
    EXPECT_TRUE(app.Controller().useCached()); // it ran
}

struct AlertCase {
    friend void PrintTo(const AlertCase& c, std::ostream* os) { *os << c.name; }
    const char* name; // the button clicked
    const char* logged;
    bool opened;
};

class AppWindowVersionAlert : public ::testing::TestWithParam<AlertCase> {};

TEST_P(AppWindowVersionAlert, AlertOffersTheProductPage) {
    AddressCatcher catcher;
    LogCapture log;
    LocalVersionServer server(LocalVersionServer::Mode::Answer, HttpReply(200, "111"));
    AppHarness app(server.Url()); // launching asks for the version
    QMessageBox* alert = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((alert = app.Window()->findChild<QMessageBox*>()) != nullptr, 10000);
    EXPECT_EQ(alert->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(alert->text().contains(kProduct.toString()));
    for (QAbstractButton* button : alert->buttons()) {
        if (button->text() == QLatin1String(GetParam().name)) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
    EXPECT_TRUE(log.Contains(QLatin1String(GetParam().logged)));
    EXPECT_EQ(catcher.opened, GetParam().opened ? QList<QUrl>{kProduct} : QList<QUrl>{});
}

INSTANTIATE_TEST_SUITE_P(Answers, AppWindowVersionAlert,
                         ::testing::Values(AlertCase{"Yes", "YES", true},
                                           AlertCase{"No", "NO", false}),
                         CaseName());

// The open button and Ctrl+S open window-modal sheets (the open one admits pictures only, the
// save one writes where it is accepted); Ctrl+Q quits. (The save button is StudioWindowTest's.)
TEST(AppWindow, OpenButtonAndShortcutsOpenSheetsAndQuit) {
    AppHarness app;
    app.Click("resetButton");
    QApplication::setActiveWindow(app.Window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.Window()));
    app.Click("openButton");
    auto* sheet = app.Window()->findChild<QFileDialog*>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->fileMode(), QFileDialog::ExistingFile);
    EXPECT_NE(qobject_cast<PictureFileFilter*>(sheet->proxyModel()), nullptr);
    sheet->reject();
    QTRY_VERIFY(app.Window()->findChild<QFileDialog*>() == nullptr);
    QApplication::setActiveWindow(app.Window());
    QTest::keyClick(app.Window(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_NE(sheet = app.Window()->findChild<QFileDialog*>(), nullptr);
    EXPECT_EQ(sheet->acceptMode(), QFileDialog::AcceptSave);
    sheet->selectFile(app.Folder() + "/sheet");
    QMetaObject::invokeMethod(sheet, "accept");
    EXPECT_EQ(TestPictures::Entries(app.Folder()).filter("sheet").size(), 6);
    QApplication::setActiveWindow(app.Window());
    QTest::keyClick(app.Window(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(app.Window()->isVisible());
}

// A dropped file and a file manager's "Open with" open like the sheet; what is not a picture
// is not taken.
TEST(AppWindow, DroppedPicturesAndFileArgumentsOpenLikeTheSheet) {
    AppHarness app;
    const QImage picture = TestPictures::Solid(33, 44, QColor(9, 9, 9));
    EXPECT_TRUE(Drop(app.Window(), app.WriteFile(QStringLiteral("dropped"), picture)));
    ASSERT_TRUE(app.ReadingDone());
    EXPECT_EQ(app.Controller().theImage().size(), picture.size());
    EXPECT_FALSE(Drop(app.Window(), app.WriteFile(QStringLiteral("notes.txt"), picture)));
    const QImage other = TestPictures::Solid(70, 40, QColor(200, 10, 10));
    const QString path = app.WriteFile(QStringLiteral("from the file manager.png"), other);
    LaunchArguments::OpenPicture(app.Controller(), {QStringLiteral("trellica"), path});
    ASSERT_TRUE(app.ReadingDone());
    EXPECT_EQ(app.Find<ImageView>("baseImageView")->image().size(), other.size());
    EXPECT_EQ(LaunchArguments::Picture({"trellica", "--unknown", "--", "-a.jpg"}), "-a.jpg");
}

} // namespace
