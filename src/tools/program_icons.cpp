// Draws the program's icon at every side the desktop's icon theme asks for, offscreen, as
// FOLDER/<side>x<side>/apps/NAME.png:   program_icons FOLDER NAME
#include "windows/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

bool WriteIcon(const QString& folder, const QString& name, int side) {
    const QString sideFolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(side);
    QSaveFile out(sideFolder + u'/' + name + QStringLiteral(".png"));
    return QDir().mkpath(sideFolder) && out.open(QIODevice::WriteOnly) &&
           qb::Picture(QStringLiteral("program-icon"), QSize(side, side)).save(&out, "PNG") &&
           out.commit();
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: program_icons FOLDER NAME\n");
        return 2;
    }
    for (int side : qb::kIconSides) {
        if (!WriteIcon(args[1], args[2], side)) {
            std::fprintf(stderr, "program_icons: cannot write the %dx%d icon in %s\n", side, side,
                         qPrintable(args[1]));
            return 1;
        }
    }
    return 0;
}
