// Renders the application's icon as PNG files for the desktop's icon theme:
//   trellica_icons OUTPUT_FOLDER NAME SIZE...
// writes OUTPUT_FOLDER/<SIZE>x<SIZE>/apps/NAME.png, the layout of hicolor.
#include "app/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: trellica_icons OUTPUT_FOLDER NAME SIZE...\n");
        return 2;
    }
    for (const QString& sizeText : arguments.mid(3)) {
        const int side = sizeText.toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments[1]).arg(side);
        const QString path = QStringLiteral("%1/%2.png").arg(folder, arguments[2]);
        if (side <= 0 || !QDir().mkpath(folder) || !Artwork::AppIcon(side).save(path, "PNG")) {
            std::fprintf(stderr, "trellica_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
