#pragma once

#include "report/ReportLines.h"

namespace qb {

// Prints a report as one document, without asking anything; failures print nothing.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    virtual void Print(const Report& report) = 0;
};

} // namespace qb
