#include "ProfileText.h"

#include "FileName.h"
#include "Windows1252.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <numeric>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qb {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

QByteArrayView Trimmed(QByteArrayView text) {
    while (!text.isEmpty() && IsBlank(text.front())) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && IsBlank(text.back())) {
        text.chop(1);
    }
    return text;
}

// The line that starts at `begin`, without its line feed.
QByteArrayView LineAt(const QByteArray& bytes, qsizetype begin) {
    const qsizetype end = bytes.indexOf('\n', begin);
    return QByteArrayView(bytes).sliced(begin, (end < 0 ? bytes.size() : end) - begin);
}

// A header's name, trimmed, when the line is "[name]" with anything after the bracket.
std::optional<QByteArrayView> HeaderName(QByteArrayView trimmedLine) {
    const qsizetype close = trimmedLine.indexOf(']');
    if (!trimmedLine.startsWith('[') || close < 0) {
        return std::nullopt;
    }
    return Trimmed(trimmedLine.sliced(1, close - 1));
}

// Each byte's stand-in when names are compared without regard to case: the first byte of the
// code page whose character folds to the same one.
std::array<char, 256> FoldedBytes() {
    QByteArray all(256, 0);
    std::iota(all.begin(), all.end(), char(0));
    QString folds = FromWindows1252(all);
    for (QChar& c : folds) {
        c = c.toCaseFolded(); // one character each, so that indexes stay bytes
    }
    std::array<char, 256> table{};
    for (qsizetype b = 0; b < 256; ++b) {
        table[b] = char(folds.indexOf(folds[b]));
    }
    return table;
}
const std::array<char, 256> kFoldedBytes = FoldedBytes();

char Folded(char c) {
    return kFoldedBytes[static_cast<unsigned char>(c)];
}

bool SameName(QByteArrayView a, QByteArrayView b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Folded(x) == Folded(y); });
}

// A slot holds a key line's offset + 1 in its low bits and, above them, bits of the names'
// hash, which spare most comparisons with lines of other names.
constexpr int kOffsetBits = 25;
static_assert(ProfileText::kMaxFileSize < (1 << kOffsetBits));
constexpr quint32 kOffsetMask = (1U << kOffsetBits) - 1;

quint32 HashTag(quint64 hash) {
    return quint32(hash >> (64 - (32 - kOffsetBits))) << kOffsetBits;
}

// FNV-1a over the folded bytes of the section, a line feed (never part of a name) and the key.
quint64 NameHash(QByteArrayView section, QByteArrayView key) {
    quint64 hash = 0xcbf29ce484222325;
    const auto add = [&hash](char c) { hash = (hash ^ quint8(c)) * 0x100000001b3; };
    std::for_each(section.begin(), section.end(), [&add](char c) { add(Folded(c)); });
    add('\n');
    std::for_each(key.begin(), key.end(), [&add](char c) { add(Folded(c)); });
    return hash ^ (hash >> 32);
}

// The bytes of a regular file of at most the limit; a pipe is opened without waiting for a
// writer and then refused.
std::optional<QByteArray> RegularFileBytes(const QString& path) {
    const int fd = ::open(FileNameBytes(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0) {
            ::close(fd);
        }
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > ProfileText::kMaxFileSize) {
        return std::nullopt;
    }
    // The size can change between the check and the read; never read more than the limit.
    QByteArray bytes = file.read(ProfileText::kMaxFileSize + 1);
    return bytes.size() > ProfileText::kMaxFileSize ? std::nullopt : std::optional(bytes);
}

} // namespace

ProfileText ProfileText::FromBytes(QByteArrayView bytes) {
    return bytes.size() > kMaxFileSize ? ProfileText() : ProfileText(bytes.toByteArray());
}

ProfileText ProfileText::FromFile(const QString& path) {
    auto bytes = RegularFileBytes(path);
    return bytes ? ProfileText(std::move(*bytes)) : ProfileText();
}

ProfileText::ProfileText(QByteArray bytes) : bytes_(std::move(bytes)) {
    qsizetype header = -1; // the header of the section the lines belong to, or none
    QByteArrayView section;
    for (qsizetype begin = 0; begin < bytes_.size();) {
        const QByteArrayView line = LineAt(bytes_, begin);
        const QByteArrayView trimmed = Trimmed(line);
        const qsizetype start = begin + (trimmed.data() - line.data());
        if (trimmed.startsWith('[')) {
            const auto name = HeaderName(trimmed);
            header = name ? start : -1;
            section = name.value_or(QByteArrayView());
        } else if (const qsizetype equals = trimmed.indexOf('='); header >= 0 && equals >= 0) {
            Add(header, section, start, Trimmed(trimmed.first(equals)));
        }
        begin += line.size() + 1;
    }
}

void ProfileText::Add(qsizetype header, QByteArrayView section, qsizetype keyLine,
                      QByteArrayView key) {
    if (headers_.empty() || headers_.back() != header) {
        headers_.push_back(quint32(header));
    }
    if ((used_ + 1) * 4 > qsizetype(slots_.size()) * 3) {
        Grow();
    }
    const quint64 hash = NameHash(section, key);
    quint32& slot = slots_[SlotOf(hash, section, key)];
    if (slot == 0) { // the first line of a section and key wins
        slot = (quint32(keyLine) + 1) | HashTag(hash);
        ++used_;
    }
}

void ProfileText::Grow() {
    std::vector<quint32> old(std::max<std::size_t>(64, slots_.size() * 2), 0);
    old.swap(slots_);
    for (const quint32 entry : old) {
        if (entry != 0) {
            const QByteArrayView section = SectionOf(entry);
            const QByteArrayView key = KeyOf(entry);
            slots_[SlotOf(NameHash(section, key), section, key)] = entry;
        }
    }
}

qsizetype ProfileText::LineOf(quint32 entry) {
    return qsizetype(entry & kOffsetMask) - 1;
}

QByteArrayView ProfileText::SectionOf(quint32 entry) const {
    const auto header =
        std::upper_bound(headers_.begin(), headers_.end(), quint32(LineOf(entry))) - 1;
    return *HeaderName(Trimmed(LineAt(bytes_, *header)));
}

QByteArrayView ProfileText::KeyOf(quint32 entry) const {
    const qsizetype line = LineOf(entry);
    return Trimmed(QByteArrayView(bytes_).sliced(line, bytes_.indexOf('=', line) - line));
}

qsizetype ProfileText::SlotOf(quint64 hash, QByteArrayView section, QByteArrayView key) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const quint32 entry = slots_[i];
        if (entry == 0 || ((entry & ~kOffsetMask) == HashTag(hash) && SameName(KeyOf(entry), key) &&
                           SameName(SectionOf(entry), section))) {
            return qsizetype(i);
        }
    }
}

QString ProfileText::ReadKey(const QString& section, const QString& key,
                             const QString& fallback) const {
    const QByteArray sectionBytes = ToWindows1252(section);
    const QByteArray keyBytes = ToWindows1252(key);
    // A name the code page cannot write is in no file.
    if (slots_.empty() || FromWindows1252(sectionBytes) != section ||
        FromWindows1252(keyBytes) != key) {
        return fallback;
    }
    const quint32 entry = slots_[SlotOf(NameHash(sectionBytes, keyBytes), sectionBytes, keyBytes)];
    if (entry == 0) {
        return fallback;
    }
    const QByteArrayView line = LineAt(bytes_, LineOf(entry));
    const QByteArrayView value = Trimmed(line.sliced(line.indexOf('=') + 1));
    return FromWindows1252(
        Trimmed(value.first(std::min<qsizetype>(value.size(), kMaxValueLength))));
}

} // namespace qb
