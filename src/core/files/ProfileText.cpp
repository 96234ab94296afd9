#include "ProfileText.h"

#include "Windows1252.h"

#include <QFile>
#include <QFileInfo>

namespace qb {
namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r';
}

QStringView Trimmed(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

// A line feed cannot occur inside a line, so it separates section and key unambiguously.
QString SectionPrefix(QStringView section) {
    return section.toString().toCaseFolded() + u'\n';
}

QString LookupKey(const QString& sectionPrefix, QStringView key) {
    return sectionPrefix + key.toString().toCaseFolded();
}

} // namespace

ProfileText ProfileText::FromBytes(QByteArrayView bytes) {
    ProfileText profile;
    const QString text = FromWindows1252(bytes);
    QString sectionPrefix; // folded once per header, not once per line
    bool inSection = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const QStringView trimmed = Trimmed(line);
        if (trimmed.startsWith(u'[')) {
            const qsizetype close = trimmed.indexOf(u']');
            inSection = close > 0;
            sectionPrefix =
                inSection ? SectionPrefix(Trimmed(trimmed.sliced(1, close - 1))) : QString();
        } else if (inSection) {
            profile.AddLine(trimmed, sectionPrefix);
        }
    }
    return profile;
}

void ProfileText::AddLine(QStringView line, const QString& sectionPrefix) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) {
        return;
    }
    const QStringView value = Trimmed(line.sliced(equals + 1)).left(kMaxValueLength);
    const QString key = LookupKey(sectionPrefix, Trimmed(line.left(equals)));
    if (!values_.contains(key)) {
        values_.insert(key, Trimmed(value).toString());
    }
}

ProfileText ProfileText::FromFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileSize) {
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    // The size can change between the check and the read; never read more than the limit.
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    return bytes.size() > kMaxFileSize ? ProfileText() : FromBytes(bytes);
}

QString ProfileText::ReadKey(const QString& section, const QString& key,
                             const QString& fallback) const {
    const auto found = values_.constFind(LookupKey(SectionPrefix(section), key));
    return found == values_.cend() ? fallback : *found;
}

} // namespace qb
