#pragma once

#include "report/ReportLines.h"

class QPagedPaintDevice;

namespace qb {

// Lays the report out on A4 pages of a printer or a PDF writer and ends the document: "Arial"
// at each line's size, tab columns one average character width of the line's font wide, a new
// page where a line would pass the bottom margin. False when the device cannot be painted on.
[[nodiscard]] bool RenderReport(const Report& report, QPagedPaintDevice& device);

} // namespace qb
