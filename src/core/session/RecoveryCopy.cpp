#include "RecoveryCopy.h"

#include "files/FileName.h"

#include <array>

namespace qb {
namespace {

const QString kSection = QStringLiteral("Recovery");
const QString kLevelKey = QStringLiteral("Level");
const QString kPartsKey = QStringLiteral("FileParts");
constexpr std::array kLevels = {std::pair{ConfidenceLevel::Percent90, "90"},
                                std::pair{ConfidenceLevel::Percent95, "95"},
                                std::pair{ConfidenceLevel::Percent99, "99"}};
// A value is cut after 254 characters: a long file name is kept in parts.
constexpr qsizetype kPartLength = 200;
constexpr int kMaxParts = 64;

QString PartKey(int part) {
    return QStringLiteral("File") + QString::number(part + 1);
}

QByteArray RecordBytes(const RecoveryRecord& record) {
    QByteArray out = "\r\n[" + kSection.toLatin1() + "]\r\n";
    for (const auto& [level, text] : kLevels) {
        if (level == record.level) {
            out += kLevelKey.toLatin1() + '=' + text + "\r\n";
        }
    }
    // Percent-encoded bytes: any file name, in the file's one-byte encoding.
    const QByteArray name = FileNameBytes(record.fileName).toPercentEncoding("/");
    const int parts = int((name.size() + kPartLength - 1) / kPartLength);
    out += kPartsKey.toLatin1() + '=' + QByteArray::number(parts) + "\r\n";
    for (int part = 0; part < parts; ++part) {
        out += PartKey(part).toLatin1() + '=' + name.mid(part * kPartLength, kPartLength) + "\r\n";
    }
    return out;
}

std::optional<RecoveryRecord> ReadRecord(const ProfileText& in) {
    RecoveryRecord record;
    const QString level = in.ReadKey(kSection, kLevelKey, QString());
    const auto* known = std::ranges::find_if(
        kLevels, [&level](const auto& entry) { return level == QLatin1String(entry.second); });
    bool counted = false;
    const int parts = in.ReadKey(kSection, kPartsKey, QString()).toInt(&counted);
    if (known == kLevels.end() || !counted || parts < 0 || parts > kMaxParts) {
        return std::nullopt;
    }
    record.level = known->first;
    QByteArray name;
    for (int part = 0; part < parts; ++part) {
        name += in.ReadKey(kSection, PartKey(part), QString()).toLatin1();
    }
    record.fileName = FileNameFromBytes(QByteArray::fromPercentEncoding(name));
    return record;
}

} // namespace

QByteArray RecoveryCopyBytes(const AnalysisSnapshot& analysis, const RecoveryRecord& record) {
    return DataFileBytes(analysis) + RecordBytes(record);
}

std::optional<RecoveredWork> ReadRecoveryCopy(QByteArrayView bytes) {
    const ProfileText in = ProfileText::FromBytes(bytes);
    RecoveredWork work{.data = ReadDataFile(in), .record = {}};
    const auto record = ReadRecord(in);
    if (!work.data.Reaches(DataFileContent::Stop::RowCount) || !record) {
        return std::nullopt;
    }
    work.record = *record;
    return work;
}

} // namespace qb
