#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace qb {

// File names as the system keeps them: bytes, mostly UTF-8. Qt reads a name's other bytes as
// U+FFFD and so loses them; these names keep each such byte as the lone surrogate
// U+DC80 + byte instead, so that the file can still be opened by its own name.
QString FileNameFromBytes(QByteArrayView bytes);
QByteArray FileNameBytes(QStringView name);

// Whether the name keeps bytes that Qt's own file classes cannot name.
bool HasForeignBytes(QStringView name);

// The name as a person reads it: each kept byte shown as U+FFFD, as the file dialogs show it.
QString DisplayedFileName(QString name);

// A name that a dialog gave with U+FFFD for bytes it could not read: when it names no file as
// it stands, and exactly one entry of each folder on the path reads that way, the path of those
// entries; the name unchanged otherwise.
QString ResolveDisplayedFileName(const QString& name);

} // namespace qb
