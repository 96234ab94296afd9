#include "QtReportPrinter.h"

#include "ReportRenderer.h"

#include <QBuffer>
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
    if (!RenderReport(report, printer)) { // nothing to tell the user, who sees nothing printed
        qWarning("Stampa non riuscita su %s", qPrintable(destination.printerName()));
    }
}

QByteArray ReportPdf(const Report& report) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(kDocumentName);
        writer.setCreator(kDocumentName);
        if (!RenderReport(report, writer)) {
            return {};
        }
    } // the writer finishes the document when it goes
    return buffer.data();
}

} // namespace qb
