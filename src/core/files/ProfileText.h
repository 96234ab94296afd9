#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>

namespace qb {

// A text of "[Section]" headers and "key=value" lines, looked up by section and key.
// Section and key names match without regard to case and the first matching line wins; a
// value is the text after the first "=", trimmed of blanks, cut to 254 characters and trimmed
// again. Lines end in CR LF or LF alone. The whole text is indexed once, so a lookup does not
// depend on the file's length.
class ProfileText {
public:
    ProfileText() = default;
    static ProfileText FromBytes(QByteArrayView bytes);

    // The largest file read; a larger one, or anything but a regular file (a pipe or a device
    // could block or never end), reads as empty.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
    static ProfileText FromFile(const QString& path);

    QString ReadKey(const QString& section, const QString& key, const QString& fallback) const;

    static constexpr int kMaxValueLength = 254;

private:
    void AddLine(QStringView line, const QString& sectionPrefix);

    QHash<QString, QString> values_; // by section and key, folded, joined by a line feed
};

} // namespace qb
