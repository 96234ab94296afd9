// Any bytes as a data file: reading must end without a crash, and what it accepts must come
// back unchanged through the writer.
#include "files/DataFile.h"
#include "model/Analysis.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
    const qb::DataFileContent content = qb::ReadDataFile(qb::ProfileText::FromBytes(bytes));
    if (content.stop != qb::DataFileContent::Stop::None) {
        return 0;
    }
    qb::Analysis analysis(u'.');
    qb::ApplyDataFile(content, analysis);
    const qb::DataFileContent reread =
        qb::ReadDataFile(qb::ProfileText::FromBytes(qb::DataFileBytes(analysis.Snapshot())));
    const bool same = reread.stop == qb::DataFileContent::Stop::None &&
                      reread.rowCount == content.rowCount && reread.rows == content.rows &&
                      (!analysis.StatsValid() || reread.history == content.history);
    if (!same) {
        std::abort();
    }
    return 0;
}
