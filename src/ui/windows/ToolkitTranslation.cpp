#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

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

bool InstallItalianToolkitTexts(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_it"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    // The last installed is asked first.
    return QCoreApplication::installTranslator(translator) &&
           QCoreApplication::installTranslator(new ItalianKeyNames(&app));
}

} // namespace qb
