#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace qb {

// The single-byte code page of the data files. Every byte decodes to one character (the five
// bytes the code page leaves undefined to the control character of the same number, as the
// system does), so any file reads without loss; a character the code page lacks is written
// as "?".
QString FromWindows1252(QByteArrayView bytes);
QByteArray ToWindows1252(QStringView text);

} // namespace qb
