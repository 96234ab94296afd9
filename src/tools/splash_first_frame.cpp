// Draws the splash as its window shows it, offscreen, and writes the file of its prepared first
// frame:   splash_first_frame OUTPUT MAJOR MINOR REVISION
#include "windows/SplashFirstFrame.h"
#include "windows/SplashWindow.h"

#include <QApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: splash_first_frame OUTPUT MAJOR MINOR REVISION\n");
        return 2;
    }
    const qb::ProgramVersion version{args[2].toUShort(), args[3].toUShort(), args[4].toUShort()};
    // No prepared frame is linked in here, so the splash draws its controls.
    qb::SplashWindow splash(version);
    splash.ShowInFront();
    const QByteArray file =
        qb::SplashFrameFile(qb::SplashLook(version, splash), splash.grab().toImage());
    QSaveFile out(args[1]);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size() || !out.commit()) {
        std::fprintf(stderr, "splash_first_frame: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
