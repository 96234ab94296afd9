#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace qb {
namespace {

// Qt's Italian catalogue keeps the Shift key's English name; the menus' shortcuts say "Maiusc",
// as the key is called in Italian and as the help names it.
class ItalianKeyNames final : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        return qstrcmp(context, "QShortcut") == 0 && qstrcmp(sourceText, "Shift") == 0
                   ? QStringLiteral("Maiusc")
                   : QString();
    }
};

} // namespace

void InstallItalianToolkitTexts(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto catalogue = std::make_unique<QTranslator>();
    if (!catalogue->load(QStringLiteral("qtbase_it"), folder)) {
        qWarning("Testi italiani di Qt non trovati in %s: i suoi pulsanti restano in inglese",
                 qPrintable(folder));
        return;
    }
    // The application owns both; the last installed is asked first.
    catalogue->setParent(&app);
    QCoreApplication::installTranslator(catalogue.release());
    QCoreApplication::installTranslator(new ItalianKeyNames(&app));
}

} // namespace qb
