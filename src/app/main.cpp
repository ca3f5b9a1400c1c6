#include "ProductInfo.h"
#include "app/AppController.h"
#include "app/Artwork.h"
#include "app/LaunchArguments.h"

#include <QApplication>
#include <QIcon>
#include <QMainWindow>
#include <QPixmap>

namespace {

// What the desktop matches the window with: its .desktop entry (Wayland's app
// id), its StartupWMClass (the X11 class, the application name) and its icon.
void SetDesktopIdentity() {
    QApplication::setApplicationName(QStringLiteral("Trellica"));
    QApplication::setApplicationVersion(QString::fromLatin1(ProductInfo::kVersion));
    QApplication::setOrganizationDomain(QStringLiteral("trellica.example"));
    QApplication::setDesktopFileName(QString::fromLatin1(ProductInfo::kDesktopId));
    QIcon icon;
    for (const int side : {16, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(Artwork::AppIcon(side)));
    }
    QApplication::setWindowIcon(icon);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    SetDesktopIdentity();
    AppController controller;
    controller.window()->show();
    controller.applicationDidFinishLaunching();
    LaunchArguments::OpenPicture(controller, QApplication::arguments());
    const int result = QApplication::exec();
    controller.applicationWillTerminate();
    return result;
}
