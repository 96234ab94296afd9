#include "MainWindow.h"
#include "data/Analysis.h"
#include "platform/QtFileDialog.h"
#include "platform/QtHelpViewer.h"
#include "platform/QtMessageBox.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quantorelle Brindel"));
    QApplication::setApplicationVersion(QStringLiteral(QB_VERSION));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 8));

    qb::Analysis analysis(QLocale().decimalPoint().at(0));
    qb::QtMessageBox messages;
    qb::QtHelpViewer help;
    qb::QtFileDialog files;
    qb::MainWindow window(analysis, {messages, help, files, QApplication::applicationDirPath()});
    window.show();
    return app.exec();
}
