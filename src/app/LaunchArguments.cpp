#include "app/LaunchArguments.h"

#include "app/AppController.h"

#include <QCommandLineParser>

namespace {

constexpr int32_t kConfirmed = 1;

} // namespace

QString LaunchArguments::Picture(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A picture to open."));
    // An unknown option is no reason to refuse the picture: it is only left out.
    parser.parse(arguments);
    return parser.positionalArguments().value(0);
}

void LaunchArguments::OpenPicture(AppController& controller, const QStringList& arguments) {
    const QString picture = Picture(arguments);
    if (!picture.isEmpty()) {
        controller.filePanelDidEnd(picture, kConfirmed);
    }
}
