#include "AppHarness.h"
#include "ProductInfo.h"
#include "app/LaunchArguments.h"
#include "app/PictureFileFilter.h"
#include "app/WebAddresses.h"
#include "render/ProfileTargets.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"
#include "views/ColorWell.h"
#include "views/ImageView.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QSlider>
#include <QTest>
#include <functional>
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

TEST(AppWindow, LaunchSetsFlagsColoursAndPictureButRendersNothing) {
    LogCapture log;
    AppHarness app;
    AppController& controller = app.Controller();
    for (const ProfileLook& look : ProfileTargets::Looks()) {
        const QAbstractButton* button = app.Find<QAbstractButton>(look.buttonName);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isCheckable() && !button->isChecked()) << look.buttonName;
    }
    EXPECT_TRUE(controller.options().none());
    for (const SaveBox& box : ProfileTargets::SaveBoxes()) {
        EXPECT_TRUE(app.Find<QAbstractButton>(box.objectName)->isChecked()) << box.objectName;
    }
    EXPECT_TRUE(controller.saveOptions().all());
    EXPECT_TRUE(app.Find<QAbstractButton>("textBackgroundToggle")->isChecked());
    EXPECT_EQ(app.Find<ColorWell>("colorizeWell")->color(), QColor(255, 0, 0));
    EXPECT_EQ(app.Find<ColorWell>("textColorWell")->color(), QColor(0, 0, 0));
    EXPECT_EQ(app.Find<ColorWell>("textBackgroundColorWell")->color(), QColor(255, 255, 255));
    EXPECT_TRUE(log.Contains(QStringLiteral("BLA??? 123")));
    EXPECT_TRUE(log.Contains(QStringLiteral("Setting Parent Delegate")));
    const QImage shown = app.Find<ImageView>("baseImageView")->image();
    EXPECT_FALSE(shown.isNull());
    EXPECT_EQ(controller.theImage(), shown);
    EXPECT_TRUE(app.Preview("facebook200").isNull() && app.Preview("twitter24").isNull());
    EXPECT_FALSE(controller.useCached());
    EXPECT_EQ(app.Find<QWidget>("positionView")->size(), QSize(50, 50));
    controller.sfilePanelDidEnd(app.Folder() + "/me", 1); // nothing to save yet
    EXPECT_TRUE(QDir(app.Folder()).isEmpty());
}

TEST(AppWindow, SaveBoxTwiceRunsNothingAndSliderRunsWithWholePoints) {
    AppHarness app;
    const SaveBox& box = ProfileTargets::SaveBoxes()[0];
    app.Click(box.objectName);
    EXPECT_FALSE(app.Controller().saveOptions()[0]);
    app.Click(box.objectName);
    EXPECT_TRUE(app.Controller().saveOptions()[0]);
    EXPECT_FALSE(app.Controller().useCached());         // no run
    app.Find<QSlider>("textSizeSlider")->setValue(127); // 12.7
    EXPECT_EQ(app.Find<QLabel>("textSizeSliderVal")->text(), QStringLiteral("12 pt"));
    EXPECT_TRUE(app.Controller().useCached()); // it ran
}

TEST(AppWindow, LogoOpensTheHomePageAndNothingElseDoes) {
    AddressCatcher catcher;
    AppHarness app;
    QTest::mouseClick(app.Find<QWidget>("facebook200"), Qt::LeftButton);
    QTest::mouseClick(app.Find<QWidget>("positionView"), Qt::LeftButton);
    EXPECT_TRUE(catcher.opened.isEmpty());
    EXPECT_EQ(app.Find<QWidget>("logoView")->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(app.Find<QWidget>("logoView"), Qt::LeftButton);
    EXPECT_EQ(catcher.opened, QList<QUrl>{kHome});
    app.Controller().LabelTouched(app.Find<QWidget>("facebook200"));
    EXPECT_EQ(catcher.opened.size(), 1);
    app.Click("productPageButton");
    EXPECT_EQ(catcher.opened.last(), kProduct);
}

struct AlertCase {
    const char* button;
    const char* logged;
    int opened;
};

void PrintTo(const AlertCase& c, std::ostream* os) {
    *os << c.button;
}

class AppWindowVersionAlert : public ::testing::TestWithParam<AlertCase> {};

TEST_P(AppWindowVersionAlert, AlertOffersTheProductPage) {
    AddressCatcher catcher;
    LogCapture log;
    LocalVersionServer server(LocalVersionServer::Mode::Answer, HttpReply(200, "111"));
    AppHarness app(server.Url()); // launching asks for the version
    QMessageBox* alert = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((alert = app.Window()->findChild<QMessageBox*>()) != nullptr, 10000);
    EXPECT_TRUE(log.Contains(QStringLiteral("New Version Found Message")));
    EXPECT_EQ(alert->windowModality(), Qt::WindowModal);
    EXPECT_EQ(alert->text(), QStringLiteral("A new Version of the Trellica is available.\nVisit ") +
                                 kProduct.toString() + QStringLiteral(" ?"));
    EXPECT_EQ(alert->informativeText(), QStringLiteral("Click yes to open ") + kProduct.toString() +
                                            QStringLiteral(" in your browser."));
    ASSERT_EQ(alert->buttons().size(), 2);
    EXPECT_EQ(alert->defaultButton()->text(), QStringLiteral("Yes"));
    QAbstractButton* chosen = alert->buttons()[0];
    if (chosen->text() != QLatin1String(GetParam().button)) {
        chosen = alert->buttons()[1];
    }
    ASSERT_EQ(chosen->text(), QLatin1String(GetParam().button));
    QTest::mouseClick(chosen, Qt::LeftButton);
    EXPECT_TRUE(log.Contains(QStringLiteral("BLABLABLABLA dingen...")));
    EXPECT_TRUE(log.Contains(QLatin1String(GetParam().logged)));
    EXPECT_EQ(catcher.opened, GetParam().opened ? QList<QUrl>{kProduct} : QList<QUrl>{});
}

INSTANTIATE_TEST_SUITE_P(Answers, AppWindowVersionAlert,
                         ::testing::Values(AlertCase{"Yes", "YES", 1}, AlertCase{"No", "NO", 0}),
                         [](const auto& info) { return std::string(info.param.button); });

// The open button and the standard shortcuts open window-modal sheets (the open one admits
// pictures only, the save one writes where it is accepted); Ctrl+Q quits. (The save button
// is StudioWindowTest's.)
TEST(AppWindow, ButtonsAndShortcutsOpenSheetsAndQuit) {
    AppHarness app;
    app.Open(TestPictures::Gradient(300, 300));
    app.Click("resetButton");
    QApplication::setActiveWindow(app.Window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.Window()));
    const std::pair<std::function<void()>, QFileDialog::AcceptMode> ways[] = {
        {[&] { app.Click("openButton"); }, QFileDialog::AcceptOpen},
        {[&] { QTest::keyClick(app.Window(), Qt::Key_O, Qt::ControlModifier); },
         QFileDialog::AcceptOpen},
        {[&] { QTest::keyClick(app.Window(), Qt::Key_S, Qt::ControlModifier); },
         QFileDialog::AcceptSave}};
    for (const auto& [open, mode] : ways) {
        QApplication::setActiveWindow(app.Window());
        open();
        auto* sheet = app.Window()->findChild<QFileDialog*>();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
        EXPECT_EQ(sheet->acceptMode(), mode);
        if (mode == QFileDialog::AcceptOpen) {
            EXPECT_EQ(sheet->fileMode(), QFileDialog::ExistingFile);
            EXPECT_NE(qobject_cast<PictureFileFilter*>(sheet->proxyModel()), nullptr);
            sheet->reject();
        } else {
            sheet->selectFile(app.Folder() + "/sheet");
            QMetaObject::invokeMethod(sheet, "accept");
        }
        QTRY_VERIFY(app.Window()->findChild<QFileDialog*>() == nullptr);
    }
    EXPECT_EQ(TestPictures::Entries(app.Folder()).filter("sheet").size(), 6);
    QApplication::setActiveWindow(app.Window());
    QTest::keyClick(app.Window(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(app.Window()->isVisible());
    LogCapture log;
    app.Controller().applicationWillTerminate();
    EXPECT_EQ(log.Lines(), QStringList{QStringLiteral("App will die...")});
}

// A dropped file and a file manager's "Open with" open like the sheet; a missing one fails
// like an open; what is not a picture is not taken.
TEST(AppWindow, DroppedPicturesAndFileArgumentsOpenLikeTheSheet) {
    AppHarness app;
    LogCapture log;
    const QImage picture = TestPictures::Solid(33, 44, QColor(9, 9, 9));
    EXPECT_TRUE(Drop(app.Window(), app.WriteFile(QStringLiteral("dropped"), picture)));
    EXPECT_EQ(app.Controller().theImage().size(), picture.size());
    EXPECT_FALSE(Drop(app.Window(), app.WriteFile(QStringLiteral("notes.txt"), picture)));
    EXPECT_EQ(app.Controller().theImage().size(), picture.size());
    const QImage other = TestPictures::Solid(70, 40, QColor(200, 10, 10));
    const QString path = app.WriteFile(QStringLiteral("from the file manager.png"), other);
    LaunchArguments::OpenPicture(app.Controller(), {QStringLiteral("trellica"), path});
    EXPECT_EQ(app.Find<ImageView>("baseImageView")->image().size(), other.size());
    LaunchArguments::OpenPicture(app.Controller(),
                                 {QStringLiteral("trellica"), QStringLiteral("gone.jpg")});
    EXPECT_TRUE(app.Controller().theImage().isNull());
    EXPECT_TRUE(log.Contains(QStringLiteral("File not found")));
    for (const auto& [line, file] : {std::pair{"trellica", ""},
                                     {"trellica a.jpg b.png", "a.jpg"},
                                     {"trellica --unknown -- -a.jpg", "-a.jpg"}}) {
        EXPECT_EQ(LaunchArguments::Picture(QString::fromLatin1(line).split(u' ')),
                  QLatin1String(file));
    }
}

TEST(AppWindow, AboutBoxShowsVersionAndLicence) {
    AppHarness app;
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

} // namespace
