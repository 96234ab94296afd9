#include "app/ProgramInfo.h"
#include "files/FileName.h"
#include "model/Analysis.h"
#include "platform/QtClipboard.h"
#include "platform/QtFileDialog.h"
#include "platform/QtHelpViewer.h"
#include "platform/QtLauncher.h"
#include "platform/QtMessageBox.h"
#include "platform/QtPastePreview.h"
#include "platform/QtReportPrinter.h"
#include "system/SystemInfo.h"
#include "windows/Pictures.h"
#include "windows/Startup.h"
#include "windows/StartupTrace.h"
#include "windows/ToolkitTranslation.h"

#include <QApplication>
#include <QLocale>
#include <csignal>

int main(int argc, char* argv[]) {
    // A write past the file-size limit then fails with its error, which the saves report,
    // instead of ending the program with the unsaved work.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(qb::kProductName);
    QApplication::setApplicationVersion(QString::fromLatin1(qb::kProgramVersionString));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(qb::kDesktopFileName));

    // From the bytes: Qt reads the arguments as UTF-8 and would lose a file name's other bytes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << qb::FileNameFromBytes(argv[i]);
    }
    qb::Analysis analysis(QLocale().decimalPoint().at(0));
    qb::QtMessageBox messages;
    qb::QtHelpViewer help;
    qb::QtFileDialog files;
    qb::QtReportPrinter printer;
    qb::QtClipboard clipboard;
    qb::QtPastePreview pastePreview;
    qb::NoSystemInfo sysInfo;
    qb::QtLauncher launcher;
    const qb::Startup startup(analysis,
                              {messages, help, files, printer, clipboard, pastePreview,
                               QApplication::applicationDirPath()},
                              {sysInfo, launcher, messages}, qb::kProgramVersion,
                              qb::DataFileArgument(arguments), qb::kSplashTime, [&app] {
                                  // Only the windows behind the splash need these.
                                  qb::InstallItalianToolkitTexts(app);
                                  QApplication::setWindowIcon(qb::ProgramIcon());
                                  QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
                              });
    qb::TraceStartup();
    return app.exec();
}
