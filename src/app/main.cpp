#include "app/AppController.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trellica"));
    AppController controller;
    controller.window()->show();
    controller.applicationDidFinishLaunching();
    const int result = QApplication::exec();
    controller.applicationWillTerminate();
    return result;
}
