#include "QtReportPrinter.h"

#include "ReportRenderer.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace qb {
namespace {

const QString kDocumentName = QStringLiteral("Quantorelle Brindel");

} // namespace

void QtReportPrinter::Print(const Report& report) {
    const QPrinterInfo destination = QPrinterInfo::defaultPrinter();
    if (destination.isNull()) {
        return; // without a printer there is nothing to print on, and nothing to say
    }
    QPrinter printer(destination, QPrinter::HighResolution);
    printer.setDocName(kDocumentName);
    RenderReport(report, printer);
}

void PdfReportPrinter::Print(const Report& report) {
    QPdfWriter writer(path_);
    writer.setTitle(kDocumentName);
    writer.setCreator(kDocumentName);
    RenderReport(report, writer);
}

} // namespace qb
