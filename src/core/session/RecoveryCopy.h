#pragma once

#include "engine/Uncertainty.h"
#include "files/DataFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace qb {

// What a recovery copy keeps beside the data file's bytes, so that the analysis comes back as
// it was and not only as a data file would give it.
struct RecoveryRecord {
    QString fileName; // the data file the analysis is bound to; empty when none
    ConfidenceLevel level = ConfidenceLevel::Percent95;

    bool operator==(const RecoveryRecord&) const = default;
};

struct RecoveredWork {
    DataFileContent data;
    RecoveryRecord record;
};

// The analysis as a data file, followed by one section of its own that the data file's reader
// passes over: "Apri" still opens a recovery copy.
QByteArray RecoveryCopyBytes(const AnalysisSnapshot& analysis, const RecoveryRecord& record);

// nullopt when the bytes are no complete recovery copy: not a data file, no rows, or no record.
std::optional<RecoveredWork> ReadRecoveryCopy(QByteArrayView bytes);

} // namespace qb
