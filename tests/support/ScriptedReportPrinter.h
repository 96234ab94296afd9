#pragma once

#include "platform/ReportPrinter.h"

#include <QList>

namespace qb {

// A printer that keeps every report it is given, in order.
class ScriptedReportPrinter final : public ReportPrinter {
public:
    void Print(const Report& report) override { printed.append(report); }

    QList<Report> printed;
};

} // namespace qb
