#include "ProgramVersion.h"

namespace qb {
namespace {

QString VersionDigits(ProgramVersion v) {
    return QString::number(v.major) + u'.' + QString::number(v.minor) + QString::number(v.revision);
}

} // namespace

QString SplashVersionText(ProgramVersion version) {
    return QStringLiteral("Versione ") + VersionDigits(version);
}

QString AboutVersionText(ProgramVersion version) {
    return QStringLiteral("Versione: ") + VersionDigits(version);
}

} // namespace qb
