#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace qb {

// A text of "[Section]" headers and "key=value" lines, looked up by section and key.
// Section and key names match without regard to case and the first matching line wins; a
// value is the text after the first "=", trimmed of blanks, cut to 254 characters and trimmed
// again. Lines end in CR LF or LF alone. The text is kept as it was read and indexed once by
// the offsets of its key lines, so a lookup does not depend on the file's length and no line
// is copied before it is asked for.
class ProfileText {
public:
    ProfileText() = default;
    static ProfileText FromBytes(QByteArrayView bytes);

    // The largest file read; a larger one, or anything but a regular file (a pipe or a device
    // could block or never end), reads as empty. The path may carry bytes that are not UTF-8
    // (see FileName.h).
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
    static ProfileText FromFile(const QString& path);

    QString ReadKey(const QString& section, const QString& key, const QString& fallback) const;

    static constexpr int kMaxValueLength = 254;

private:
    explicit ProfileText(QByteArray bytes);
    void Add(qsizetype header, QByteArrayView section, qsizetype keyLine, QByteArrayView key);
    void Grow();
    // A slot's key line, its section's name and its key.
    static qsizetype LineOf(quint32 entry);
    QByteArrayView SectionOf(quint32 entry) const;
    QByteArrayView KeyOf(quint32 entry) const;
    // The slot that holds the line of this section and key, or the empty slot where it goes.
    qsizetype SlotOf(quint64 hash, QByteArrayView section, QByteArrayView key) const;

    QByteArray bytes_;
    std::vector<quint32> headers_; // offsets of the section headers that have key lines
    std::vector<quint32> slots_;   // open addressing, 0 when empty
    qsizetype used_ = 0;
};

} // namespace qb
