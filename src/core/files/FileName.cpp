#include "FileName.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <dirent.h>
#include <memory>

namespace qb {
namespace {

constexpr char16_t kKeptByteBase = 0xDC00; // bytes 0x80 to 0xFF become U+DC80 to U+DCFF
constexpr char16_t kReplacement = 0xFFFD;

// The length of the well-formed UTF-8 sequence the bytes start with, or 0.
qsizetype Utf8SequenceLength(QByteArrayView bytes) {
    const auto lead = static_cast<unsigned char>(bytes.front());
    if (lead < 0x80) {
        return 1;
    }
    const qsizetype length = lead >= 0xC2 && lead < 0xE0   ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
    if (length == 0 || bytes.size() < length) {
        return 0;
    }
    char32_t code = lead & (0x7F >> length);
    for (qsizetype i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code < 0xE000;
    return code < kShortest[length] || code > 0x10FFFF || surrogate ? 0 : length;
}

bool IsKeptByte(QStringView name, qsizetype i) {
    const char16_t c = name[i].unicode();
    return c >= kKeptByteBase + 0x80 && c <= kKeptByteBase + 0xFF &&
           !(i > 0 && name[i - 1].isHighSurrogate());
}

// The raw names of a folder's entries that Qt shows as `shown`.
QList<QByteArray> EntriesShownAs(const QString& folder, const QString& shown) {
    QList<QByteArray> matches;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(FileNameBytes(folder).constData()),
                                                  ::closedir);
    while (dir) {
        const dirent* entry = ::readdir(dir.get());
        if (!entry) {
            break;
        }
        if (QFile::decodeName(entry->d_name) == shown) {
            matches << QByteArray(entry->d_name);
        }
    }
    return matches;
}

} // namespace

QString FileNameFromBytes(QByteArrayView bytes) {
    QString name;
    name.reserve(bytes.size());
    while (!bytes.isEmpty()) {
        const qsizetype length = Utf8SequenceLength(bytes);
        if (length > 0) {
            name += QString::fromUtf8(bytes.first(length));
        } else {
            name += QChar(char16_t(kKeptByteBase + static_cast<unsigned char>(bytes.front())));
        }
        bytes = bytes.sliced(std::max<qsizetype>(length, 1));
    }
    return name;
}

QByteArray FileNameBytes(QStringView name) {
    QByteArray bytes;
    qsizetype run = 0; // where the text not yet written begins
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (IsKeptByte(name, i)) {
            bytes += name.sliced(run, i - run).toUtf8();
            bytes += char(name[i].unicode() - kKeptByteBase);
            run = i + 1;
        }
    }
    return bytes + name.sliced(run).toUtf8();
}

bool HasForeignBytes(QStringView name) {
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (IsKeptByte(name, i)) {
            return true;
        }
    }
    return false;
}

QString DisplayedFileName(QString name) {
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (IsKeptByte(name, i)) {
            name[i] = QChar(kReplacement);
        }
    }
    return name;
}

QString ResolveDisplayedFileName(const QString& name) {
    if (!name.contains(QChar(kReplacement)) || QFileInfo::exists(name) || !name.startsWith(u'/')) {
        return name;
    }
    QString resolved;
    for (const QString& part : name.split(u'/', Qt::SkipEmptyParts)) {
        if (!part.contains(QChar(kReplacement))) {
            resolved += u'/' + part;
            continue;
        }
        const QList<QByteArray> matches =
            EntriesShownAs(resolved.isEmpty() ? QStringLiteral("/") : resolved, part);
        if (matches.size() != 1) {
            return name;
        }
        resolved += u'/' + FileNameFromBytes(matches.constFirst());
    }
    return resolved;
}

} // namespace qb
