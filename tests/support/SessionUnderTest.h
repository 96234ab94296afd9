#pragma once

// The session's commands over a real analysis, drawn on recording surfaces, every seam scripted.
#include "chart/RecordingSurface.h"
#include "model/Analysis.h"
#include "session/Session.h"
#include "support/ScriptedClipboard.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedOverwriteQuestion.h"
#include "support/ScriptedPastePreview.h"
#include "support/ScriptedReportPrinter.h"

namespace qb {

struct SessionUnderTest {
    explicit SessionUnderTest(QChar separator) : analysis(separator) {}

    Analysis analysis;
    RecordingSurface chart{
        {757, 481}, {140, 140, 140}, [](auto&, auto& t) { return QSizeF(6 * t.size(), 12); }, 1};
    RecordingSurface residualPlot{chart};
    ScriptedFileDialog files;
    ScriptedOverwriteQuestion overwrite;
    ScriptedPastePreview preview;
    ScriptedClipboard clipboard;
    ScriptedReportPrinter printer;
    Session session{analysis, chart, residualPlot, {files, overwrite, preview, clipboard, printer}};
};

} // namespace qb
