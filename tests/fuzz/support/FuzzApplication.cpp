#include "fuzz/support/FuzzApplication.h"

#include <QApplication>
#include <QtGlobal>

namespace {

void Silent(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

void EnsureFuzzApplication() {
    static int argc = 1;
    static char name[] = "trellica_fuzz";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(Silent); // the log would drown the fuzzer's own output
        new QApplication(argc, argv);
    }
}
