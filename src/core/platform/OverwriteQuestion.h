#pragma once

#include <QString>

namespace qb {

enum class Consent { Agreed, Declined };

// Asks the user whether an existing file may be replaced, in the middle of a command.
class OverwriteQuestion {
public:
    virtual ~OverwriteQuestion() = default;
    virtual Consent ConfirmOverwrite(const QString& path) = 0;
};

} // namespace qb
