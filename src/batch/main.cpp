#include "ProductInfo.h"
#include "batch/BatchCommandLine.h"
#include "batch/BatchProgram.h"

#include <QFile>
#include <QGuiApplication>
#include <csignal>
#include <cstdio>

namespace {

// Standard error carries the run's errors and summary only: the renderer's
// log lines and Qt's notes about the environment stay out of it.
void OnlySevere(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "trellica-batch: %s\n", qPrintable(text));
    }
}

} // namespace

int main(int argc, char** argv) {
    BatchProgram::HoldFreedMemory();
    qInstallMessageHandler(OnlySevere);
    // A file size limit fails the file with its reason ("File too large") instead
    // of ending the run.
    std::signal(SIGXFSZ, SIG_IGN);
    // Text needs fonts, fonts need a GUI application, and that needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("trellica-batch"));
    QGuiApplication::setApplicationVersion(QString::fromLatin1(ProductInfo::kVersion));

    const BatchCommandLine::Parsed parsed = BatchCommandLine::Parse(QGuiApplication::arguments());
    // Told even before a usage error: a network the user's file meant to add is
    // unknown exactly when that file was refused.
    if (!parsed.options.setNotice.isEmpty()) {
        std::fprintf(stderr, "trellica-batch: %s\n", qPrintable(parsed.options.setNotice));
    }
    switch (parsed.action) {
    case BatchCommandLine::Action::ShowHelp:
        std::fputs(qPrintable(BatchCommandLine::HelpText()), stdout);
        return 0;
    case BatchCommandLine::Action::ShowVersion:
        std::printf("trellica-batch %s\n", ProductInfo::kVersion);
        return 0;
    case BatchCommandLine::Action::ListNetworks:
        std::fputs(qPrintable(BatchCommandLine::NetworkTable(parsed.options.set)), stdout);
        return 0;
    case BatchCommandLine::Action::UsageError:
        std::fprintf(stderr, "trellica-batch: %s\n%s", qPrintable(parsed.error),
                     qPrintable(BatchCommandLine::UsageHint()));
        return BatchProgram::kUsageError;
    case BatchCommandLine::Action::Run:
        break;
    }
    QFile input;
    input.open(stdin, QIODevice::ReadOnly);
    return BatchProgram::Run(parsed.options, input, stderr);
}
