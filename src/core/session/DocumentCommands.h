#pragma once

#include "Outcome.h"
#include "platform/FileDialog.h"
#include "platform/OverwriteQuestion.h"
#include "report/ReportLines.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace qb {

class Analysis;
class Clipboard;
class PastePreview;
struct DataFileContent;
struct RecoveredWork;

enum class SaveMode {
    KnownName, // "Salva": written silently under the current name, asked for when there is none
    AskName,   // "Salva col nome...": the dialog, the overwrite question and the confirmation
};

enum class ChartFormat { Png, Svg, Pdf };

// The File menu's commands on the Analysis and its data file: New, Open, Save and Save As, the
// paste of pairs and the exports. Each asks what it must through the seams and tells the rest
// in its outcome.
class DocumentCommands {
public:
    DocumentCommands(Analysis& analysis, FileDialog& files, OverwriteQuestion& overwrite);

    // Empties the rows and unbinds the file; the figures' pages are the session's.
    Outcome New();
    // Asks for a data file and opens it; a cancelled dialog leaves the pages but unbinds the file.
    Outcome Open();
    // Binds the program to the data file and loads it, as when it was chosen in the dialog.
    Outcome Open(const QString& path);
    Outcome Save(SaveMode mode);
    // Puts back the work a recovery copy kept: still unsaved, and bound to its file if it was.
    Outcome Restore(const RecoveredWork& work);

    // Fills the grid with the pairs on the clipboard, as opening a file fills it; a text that
    // holds no usable pairs is refused and changes nothing. Where the text can be read in
    // several ways, the preview shows them and the user chooses or cancels.
    Outcome PastePairs(const Clipboard& clipboard, PastePreview& preview);
    // Writes what `render` makes to a file chosen in a save dialog, as safely as data files.
    Outcome ExportReport(const std::function<QByteArray(const Report&)>& renderPdf);
    Outcome ExportChart(const std::function<QByteArray(ChartFormat)>& render);

private:
    struct ExportType {
        FileFilter filter;
        QString extension;
    };

    std::optional<QString> ChooseDataFile(FileDialogRequest::Kind kind);
    std::optional<FileChoice> ChooseExportFile(const QList<ExportType>& types, Outcome& refusal);
    Outcome WriteExport(const QString& path, const QByteArray& bytes);
    Outcome LoadDataFile();
    Outcome Fill(const DataFileContent& content);
    void Unbind();
    Outcome SaveAs();
    Outcome SaveDataFile(SaveMode mode);
    Consent ConfirmOverwrite(const QString& name);

    Analysis& analysis_;
    FileDialog& files_;
    OverwriteQuestion& overwrite_;
    QString lastChosenName_; // offered again by the next file dialog
};

} // namespace qb
