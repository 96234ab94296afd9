// Any bytes as a data file: reading must end without a crash, and what it accepts must come
// back unchanged through the writer.
#include "files/DataFile.h"
#include "model/Analysis.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void Load(qb::Analysis& analysis, const qb::DataFileContent& content) {
    analysis.ChooseRowCount(content.rowCount);
    for (int i = 0; i < content.rowCount; ++i) {
        analysis.setText(qb::Column::X, i, content.rows[i].x);
        analysis.setText(qb::Column::Y, i, content.rows[i].y);
        analysis.SetUsed(i, content.rows[i].used);
    }
    analysis.LoadStatistics(content.statistics, qb::StoredStatisticsValid(content.statistics));
    analysis.ReplaceHistory(content.history);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
    const qb::DataFileContent content = qb::ReadDataFile(qb::ProfileText::FromBytes(bytes));
    if (content.stop != qb::DataFileContent::Stop::None) {
        return 0;
    }
    qb::Analysis analysis(u'.');
    Load(analysis, content);
    const qb::DataFileContent reread =
        qb::ReadDataFile(qb::ProfileText::FromBytes(qb::DataFileBytes(analysis)));
    Check(reread.stop == qb::DataFileContent::Stop::None);
    Check(reread.rowCount == content.rowCount);
    Check(reread.rows == content.rows);
    if (analysis.StatsValid()) {
        Check(reread.history == content.history);
    }
    return 0;
}
