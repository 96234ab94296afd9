#include "DataFile.h"

#include "Windows1252.h"
#include "model/Analysis.h"
#include "numbers/NumberPattern.h"
#include "numbers/TextValue.h"

#include <cmath>
#include <limits>
#include <optional>

namespace qb {
namespace {

const QString kIdSection = QStringLiteral("Program ID");
const QString kPointsSection = QStringLiteral("Points");
const QString kStatisticsSection = QStringLiteral("Statistics");
const QString kComputationSection = QStringLiteral("Computation");
const QString kUsedFlag = QStringLiteral("1");

struct RowSection {
    const char* name;
    Column column;
};
const RowSection kDataX{"Data X", Column::X};
const RowSection kDataY{"Data Y", Column::Y};
const QString kUseSection = QStringLiteral("Use XY");

class Writer {
public:
    void Section(const QString& name) {
        if (!bytes_.isEmpty()) {
            Line(QString());
        }
        Line(u'[' + name + u']');
    }
    void Value(const QString& key, const QString& value) { Line(key + u'=' + value); }
    QByteArray Bytes() const { return bytes_; }

private:
    void Line(const QString& text) { bytes_ += ToWindows1252(text) + "\r\n"; }

    QByteArray bytes_;
};

void WriteRowTexts(Writer& out, const AnalysisSnapshot& analysis, const RowSection& section) {
    out.Section(QString::fromLatin1(section.name));
    for (int i = 0; i < kRowCapacity; ++i) {
        const DataRow& row = analysis.rows[i];
        out.Value(QString::number(i + 1), row.active ? row.Text(section.column).Text() : QString());
    }
}

void WriteUseFlags(Writer& out, const AnalysisSnapshot& analysis) {
    out.Section(kUseSection);
    for (int i = 0; i < kRowCapacity; ++i) {
        const DataRow& row = analysis.rows[i];
        out.Value(QString::number(i + 1),
                  row.active ? QString::fromLatin1(row.used ? "1" : "0") : QString());
    }
}

void WriteStatistics(Writer& out, const AnalysisSnapshot& analysis) {
    out.Section(kStatisticsSection);
    for (int f = 0; f < kFigureCount; ++f) {
        const NumberPattern pattern = Figure(f) == Figure::R ? kCoefficientPattern : kMeanPattern;
        out.Value(QString::fromLatin1(kFigureNames[f]),
                  analysis.StatsValid() ? FormatNumber(analysis.figures[Figure(f)], pattern,
                                                       analysis.decimalSeparator)
                                        : QString());
    }
}

void WriteHistory(Writer& out, const AnalysisSnapshot& analysis) {
    out.Section(kComputationSection);
    const QStringList& items = analysis.StatsValid() ? analysis.history : QStringList();
    out.Value(QStringLiteral("Items"), QString::number(items.size()));
    for (int i = 0; i < items.size(); ++i) {
        out.Value(QString::number(i), items[i]);
    }
}

QString WithDecimalPoints(QString text) {
    return text.replace(u',', u'.');
}

// A count: the value rounded half to even, within the 16-bit signed range. Unlike figures and
// row texts it keeps its commas, so "3,5" counts 3.
std::optional<int> CountValue(const QString& text) {
    const auto value = TextValue(text);
    if (!value) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(*value);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max()) {
        return std::nullopt;
    }
    return int(rounded);
}

bool ReadIdentifier(const ProfileText& in) {
    return in.ReadKey(kIdSection, QStringLiteral("ID"), QString()).toUpper() == kProgramIdentifier;
}

bool ReadRowCount(const ProfileText& in, DataFileContent& content) {
    const auto count =
        CountValue(in.ReadKey(kPointsSection, QStringLiteral("Number"), QStringLiteral("0")));
    if (!count || *count < kMinRowCount || *count > kRowCapacity) {
        return false;
    }
    content.rowCount = *count;
    return true;
}

void ReadRows(const ProfileText& in, DataFileContent& content) {
    for (int i = 0; i < content.rowCount; ++i) {
        const QString key = QString::number(i + 1);
        DataRow& row = content.rows[i];
        row.active = true;
        for (const RowSection& section : {kDataX, kDataY}) {
            row.Text(section.column) =
                WithDecimalPoints(in.ReadKey(QString::fromLatin1(section.name), key, QString()));
        }
        row.used = in.ReadKey(kUseSection, key, QString()) == kUsedFlag;
    }
}

bool ReadStatistics(const ProfileText& in, DataFileContent& content) {
    for (int f = 0; f < kFigureCount; ++f) {
        const QString text =
            in.ReadKey(kStatisticsSection, QString::fromLatin1(kFigureNames[f]), QString());
        const auto value = ExactTextValue(WithDecimalPoints(text));
        if (!value) {
            return false;
        }
        content.statistics[Figure(f)] = value->Rational();
    }
    return true;
}

bool ReadHistory(const ProfileText& in, DataFileContent& content) {
    const auto count =
        CountValue(in.ReadKey(kComputationSection, QStringLiteral("Items"), QStringLiteral("0")));
    if (!count) {
        return false;
    }
    for (int i = 0; i < *count; ++i) {
        content.history.append(in.ReadKey(kComputationSection, QString::number(i), QString()));
    }
    return true;
}

// Valid figures are those whose means and deviations are not all 0; the coefficients do not
// count.
StatsState StoredStatisticsState(const Statistics& statistics) {
    for (Figure f : {Figure::X, Figure::Y, Figure::X2, Figure::Y2, Figure::XY, Figure::SX,
                     Figure::SY, Figure::SXY}) {
        if (!statistics[f].IsZero()) {
            return StatsState::Valid;
        }
    }
    return StatsState::Invalid;
}

} // namespace

QByteArray DataFileBytes(const AnalysisSnapshot& analysis) {
    Writer out;
    out.Section(kIdSection);
    out.Value(QStringLiteral("ID"), QStringLiteral("Quantorelle"));
    out.Section(kPointsSection);
    out.Value(QStringLiteral("Number"), QString::number(analysis.rowCount));
    WriteRowTexts(out, analysis, kDataX);
    WriteRowTexts(out, analysis, kDataY);
    WriteUseFlags(out, analysis);
    WriteStatistics(out, analysis);
    WriteHistory(out, analysis);
    return out.Bytes();
}

DataFileContent ReadDataFile(const ProfileText& in) {
    using Stop = DataFileContent::Stop;
    DataFileContent content;
    if (!ReadIdentifier(in)) {
        content.stop = Stop::NotDataFile;
    } else if (!ReadRowCount(in, content)) {
        content.stop = Stop::RowCount;
    } else if (ReadRows(in, content); !ReadStatistics(in, content)) {
        content.stop = Stop::Statistics;
    } else if (!ReadHistory(in, content)) {
        content.stop = Stop::ItemCount;
    }
    return content;
}

void ApplyDataFile(const DataFileContent& content, Analysis& analysis) {
    using Stop = DataFileContent::Stop;
    if (!content.Reaches(Stop::RowCount)) {
        return;
    }
    analysis.ChooseRowCount(content.rowCount);
    for (int i = 0; i < content.rowCount; ++i) {
        const DataRow& row = content.rows[i];
        analysis.SetText(Column::X, i, row.x);
        analysis.SetText(Column::Y, i, row.y);
        analysis.SetUsed(i, row.used);
    }
    if (!content.Reaches(Stop::Statistics)) {
        return;
    }
    analysis.LoadStatistics(content.statistics, StoredStatisticsState(content.statistics));
    if (content.Reaches(Stop::ItemCount)) {
        analysis.ReplaceHistory(content.history);
    }
}

} // namespace qb
