#pragma once

#include "platform/ReportPrinter.h"

#include <QByteArray>
#include <QString>

namespace qb {

// The system's default printer, A4, without a dialog.
class QtReportPrinter final : public ReportPrinter {
public:
    void Print(const Report& report) override;
};

// The report laid out on A4 pages of a PDF document; empty when it cannot be made.
QByteArray ReportPdf(const Report& report);

} // namespace qb
