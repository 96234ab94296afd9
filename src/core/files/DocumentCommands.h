#pragma once

#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/PastePreview.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace qb {

class Analysis;
class Clipboard;
struct DataFileContent;

// What the document commands ask of the window around them: emptying its pages and bringing
// the data page to the front.
class DocumentView {
public:
    virtual void ClearResultPages() = 0; // statistics, chart and prediction
    virtual void ClearDataPage() = 0;
    virtual void ClearPredictionPage() = 0;
    virtual void ShowDataPage() = 0;

protected:
    ~DocumentView() = default;
};

enum class SaveMode {
    KnownName, // "Salva": written silently under the current name, asked for when there is none
    AskName,   // "Salva col nome...": the dialog, the overwrite question and the confirmation
};

enum class ChartFormat { Png, Svg, Pdf };

// The File menu's commands on the Analysis and its data file: New, Open, Save and Save As,
// with their dialogs and messages.
class DocumentCommands {
public:
    // Every message carries `messageTitle`, the window's caption.
    DocumentCommands(Analysis& analysis, MessageBox& messages, FileDialog& files,
                     DocumentView& view, QString messageTitle);

    void New();
    // Asks for a data file and opens it; a cancelled dialog leaves the pages but unbinds the file.
    void Open();
    // Binds the program to the data file and loads it, as when it was chosen in the dialog.
    void Open(const QString& path);
    void Save(SaveMode mode);

    // Fills the grid with the pairs on the clipboard, as opening a file fills it; a text that
    // holds no usable pairs is refused with a message and changes nothing. Where the text can
    // be read in several ways, the preview shows them and the user chooses or cancels.
    void PastePairs(const Clipboard& clipboard, PastePreview& preview);
    // Writes what `render` makes to a file chosen in a save dialog, as safely as data files.
    void ExportReport(const std::function<QByteArray()>& renderPdf);
    void ExportChart(const std::function<QByteArray(ChartFormat)>& render);

private:
    enum class SaveOutcome { Written, Declined, Failed };
    enum class Overwrite { Agreed, Declined };

    struct ExportType {
        FileFilter filter;
        QString extension;
    };

    std::optional<QString> ChooseDataFile(FileDialogRequest::Kind kind);
    std::optional<FileChoice> ChooseExportFile(const QList<ExportType>& types);
    void WriteExport(const QString& path, const QByteArray& bytes);
    void LoadDataFile();
    void Fill(const DataFileContent& content);
    void Unbind();
    void SaveAs();
    SaveOutcome SaveDataFile(SaveMode mode);
    Overwrite ConfirmOverwrite(const QString& name);
    bool RefusedForeignName(const QString& name);
    MessageAnswer ShowMessage(const QString& text, MessageStyle style);

    Analysis& analysis_;
    MessageBox& messages_;
    FileDialog& files_;
    DocumentView& view_;
    QString messageTitle_;
    QString lastChosenName_; // offered again by the next file dialog
};

} // namespace qb
