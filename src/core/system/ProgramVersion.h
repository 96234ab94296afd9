#pragma once

#include <QString>
#include <QtGlobal>

namespace qb {

inline const QString kProductName = QStringLiteral("Quantorelle Brindel");

struct ProgramVersion {
    quint16 major = 0;
    quint16 minor = 0;
    quint16 revision = 0;
};

// "Versione 1.00" for 1, 0, 0: one point, between major and minor, and the revision written
// straight after the minor number.
QString SplashVersionText(ProgramVersion version);
// The same digits as "Versione: 1.00".
QString AboutVersionText(ProgramVersion version);

} // namespace qb
