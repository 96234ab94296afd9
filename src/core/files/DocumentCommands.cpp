#include "DocumentCommands.h"

#include "DataFile.h"
#include "FileName.h"
#include "FileStore.h"
#include "PastedPairs.h"
#include "model/Analysis.h"

#include <QFileInfo>
#include <algorithm>
#include <array>

namespace qb {
namespace {

QString WriteFailureText(Replacement cause, const QString& path) {
    const auto because = [&path](const char* reason) {
        return QStringLiteral("Impossibile creare il file ") + path + QStringLiteral(": ") +
               QString::fromUtf8(reason) + u'.';
    };
    switch (cause) {
    case Replacement::NotRegularFile:
        return because("il nome indica una cartella, una pipe o un dispositivo, non un file");
    case Replacement::ReadOnlyFile:
        return because("il file esistente è protetto da scrittura");
    case Replacement::FolderMissing:
        return because("la cartella non esiste");
    case Replacement::FolderReadOnly:
        return because("la cartella non consente la scrittura");
    case Replacement::DiskFull:
        return because("il disco è pieno");
    case Replacement::TooLarge:
        return because("il file supererebbe la dimensione massima consentita");
    case Replacement::Done:
    case Replacement::Failed:
        break;
    }
    return QStringLiteral("Errore occorso durante la creazione del file ") + path;
}

// The chosen filter decides the format: a name that does not end in its extension gets it,
// whatever dots it holds already.
QString WithExtension(const QString& path, const QString& extension) {
    return QFileInfo(path).suffix().compare(extension, Qt::CaseInsensitive) == 0
               ? path
               : path + u'.' + extension;
}

} // namespace

DocumentCommands::DocumentCommands(Analysis& analysis, MessageBox& messages, FileDialog& files,
                                   DocumentView& view, QString messageTitle)
    : analysis_(analysis), messages_(messages), files_(files), view_(view),
      messageTitle_(std::move(messageTitle)) {}

void DocumentCommands::New() {
    view_.ClearResultPages();
    analysis_.InvalidateStatistics();
    view_.ClearDataPage();
    // A new analysis belongs to no file: the next "Salva" asks for a name instead of writing
    // the new data over the file opened before.
    analysis_.SetCurrentFileName(QString());
}

void DocumentCommands::Open() {
    const auto path = ChooseDataFile(FileDialogRequest::Kind::Open);
    if (!path) {
        Unbind();
        return;
    }
    Open(*path);
}

void DocumentCommands::Open(const QString& path) {
    lastChosenName_ = path; // also when the name came from the command line
    analysis_.SetCurrentFileName(path);
    LoadDataFile();
}

std::optional<QString> DocumentCommands::ChooseDataFile(FileDialogRequest::Kind kind) {
    FileDialogRequest request;
    request.kind = kind;
    request.filters = {{QStringLiteral("File dati (*.rgs)"), QStringLiteral("*.rgs")},
                       {QStringLiteral("Tutti i file (*.*)"), QStringLiteral("*.*")}};
    request.initialName = lastChosenName_;
    const auto chosen = files_.Show(request);
    if (!chosen) {
        return std::nullopt;
    }
    lastChosenName_ = chosen->path;
    return chosen->path;
}

void DocumentCommands::Fill(const DataFileContent& content) {
    view_.ClearDataPage();
    view_.ClearPredictionPage();
    analysis_.InvalidateStatistics();
    view_.ShowDataPage();
    ApplyDataFile(content, analysis_);
}

void DocumentCommands::PastePairs(const Clipboard& clipboard, PastePreview& preview) {
    const PasteOutcome outcome = ReadPastedPairs(clipboard.Text(kPasteByteLimit));
    if (!outcome.Accepted()) {
        ShowMessage(outcome.refusal, kErrorStyle);
        return;
    }
    qsizetype chosen = 0;
    if (outcome.NeedsChoice()) {
        QList<PasteCandidate> candidates;
        for (const PairsReading& reading : outcome.readings) {
            candidates.append({Assumption(reading), {}});
            for (const PastedPair& pair : reading.pairs) {
                candidates.back().pairs.append({pair.x, pair.y});
            }
        }
        const auto answer = preview.Choose(candidates);
        if (!answer) {
            return;
        }
        chosen = *answer;
    }
    const std::vector<PastedPair>& pairs = outcome.readings[size_t(chosen)].pairs;
    // The pairs as a data file that holds rows only; the program stays bound to its file.
    DataFileContent content;
    content.stop = DataFileContent::Stop::Statistics;
    content.rowCount = int(pairs.size());
    for (int i = 0; i < content.rowCount; ++i) {
        content.rows[i] = {pairs[i].x, pairs[i].y, true, true};
    }
    const BusyScope busy(analysis_);
    Fill(content);
}

void DocumentCommands::ExportReport(const std::function<QByteArray()>& renderPdf) {
    if (const auto chosen =
            ChooseExportFile({{{QStringLiteral("Documento PDF (*.pdf)"), QStringLiteral("*.pdf")},
                               QStringLiteral("pdf")}})) {
        WriteExport(chosen->path, renderPdf());
    }
}

void DocumentCommands::ExportChart(const std::function<QByteArray(ChartFormat)>& render) {
    const QList<ExportType> types = {
        {{QStringLiteral("Immagine PNG (*.png)"), QStringLiteral("*.png")}, QStringLiteral("png")},
        {{QStringLiteral("Disegno SVG (*.svg)"), QStringLiteral("*.svg")}, QStringLiteral("svg")},
        {{QStringLiteral("Documento PDF (*.pdf)"), QStringLiteral("*.pdf")}, QStringLiteral("pdf")},
    };
    constexpr std::array kFormats = {ChartFormat::Png, ChartFormat::Svg,
                                     ChartFormat::Pdf}; // as above
    if (const auto chosen = ChooseExportFile(types)) {
        WriteExport(chosen->path, render(kFormats[size_t(chosen->filter)]));
    }
}

std::optional<FileChoice> DocumentCommands::ChooseExportFile(const QList<ExportType>& types) {
    // Offered beside the data file, under its name, or under a name of its own.
    const QString dataFile = analysis_.CurrentFileName();
    const QString base = dataFile.isEmpty() ? QStringLiteral("Quantorelle Brindel")
                                            : QFileInfo(dataFile).path() + u'/' +
                                                  QFileInfo(dataFile).completeBaseName();
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    for (const ExportType& type : types) {
        request.filters << type.filter;
    }
    request.initialName = base + u'.' + types.first().extension;
    auto chosen = files_.Show(request);
    if (!chosen) {
        return std::nullopt;
    }
    chosen->filter = std::clamp<qsizetype>(chosen->filter, 0, types.size() - 1);
    chosen->path = WithExtension(chosen->path, types[chosen->filter].extension);
    if (RefusedForeignName(chosen->path) || ConfirmOverwrite(chosen->path) == Overwrite::Declined) {
        return std::nullopt;
    }
    return chosen;
}

void DocumentCommands::WriteExport(const QString& path, const QByteArray& bytes) {
    const Replacement outcome =
        bytes.isEmpty() ? Replacement::Failed : ReplaceFileContents(path, bytes);
    if (outcome != Replacement::Done) {
        ShowMessage(WriteFailureText(outcome, path), kErrorStyle);
    }
}

void DocumentCommands::LoadDataFile() {
    const BusyScope busy(analysis_);
    const QString name = analysis_.CurrentFileName();
    const DataFileContent content = ReadDataFile(ProfileText::FromFile(name));
    if (!content.Reaches(DataFileContent::Stop::NotDataFile)) {
        ShowMessage(QStringLiteral("Il file ") + name +
                        QStringLiteral(" non è un file valido per questo programma."),
                    kErrorStyle);
        Unbind();
        return;
    }
    Fill(content);
    // What was read before a wrong part stays, but the program is no longer bound to the file.
    if (content.stop != DataFileContent::Stop::None) {
        Unbind();
    }
}

void DocumentCommands::Unbind() {
    analysis_.SetCurrentFileName(QString());
}

void DocumentCommands::Save(SaveMode mode) {
    if (mode == SaveMode::AskName || analysis_.CurrentFileName().isEmpty()) {
        SaveAs();
        return;
    }
    SaveDataFile(SaveMode::KnownName);
}

void DocumentCommands::SaveAs() {
    const auto path = ChooseDataFile(FileDialogRequest::Kind::Save);
    if (!path) {
        return;
    }
    const QString previous = analysis_.CurrentFileName();
    analysis_.SetCurrentFileName(*path);
    // A declined overwrite keeps the program bound to its file, so that "Salva" does not write
    // into the one the user refused to replace.
    if (SaveDataFile(SaveMode::AskName) == SaveOutcome::Declined) {
        analysis_.SetCurrentFileName(previous);
    }
}

DocumentCommands::SaveOutcome DocumentCommands::SaveDataFile(SaveMode mode) {
    const QString name = analysis_.CurrentFileName();
    if (RefusedForeignName(name)) {
        return SaveOutcome::Failed;
    }
    if (mode == SaveMode::AskName && ConfirmOverwrite(name) == Overwrite::Declined) {
        ShowMessage(QStringLiteral("I dati non sono stati salvati"), kErrorStyle);
        return SaveOutcome::Declined;
    }
    // A failed write is reported also without asking: keeping silent would let the user
    // believe the data safe.
    if (ReplaceFileContents(name, DataFileBytes(analysis_.Snapshot())) != Replacement::Done) {
        ShowMessage(QStringLiteral("Errore occorso durante la creazione del file ") + name,
                    kErrorStyle);
        return SaveOutcome::Failed;
    }
    if (mode == SaveMode::AskName) {
        ShowMessage(QStringLiteral("Il file ") + name +
                        QStringLiteral(" è stato salvato correttamente"),
                    kConfirmationStyle);
    }
    return SaveOutcome::Written;
}

DocumentCommands::Overwrite DocumentCommands::ConfirmOverwrite(const QString& name) {
    // Anything else is refused by the write without being opened: a named pipe would block.
    if (TargetOf(name) != Target::RegularFile) {
        return Overwrite::Agreed;
    }
    // The old file is replaced only once the new one is complete, so nothing is deleted here.
    return ShowMessage(QStringLiteral("Sovrascrivere il file ") + name + u'?', kQuestionStyle) ==
                   MessageAnswer::Yes
               ? Overwrite::Agreed
               : Overwrite::Declined;
}

// Such a file opens, but Qt's safe replacement would write a file of another name beside it.
bool DocumentCommands::RefusedForeignName(const QString& name) {
    if (!HasForeignBytes(name)) {
        return false;
    }
    ShowMessage(QStringLiteral("Il file ") + name +
                    QStringLiteral(" ha un nome che non è in UTF-8: il programma può aprirlo ma "
                                   "non scriverlo. Nulla è stato scritto: scegliere un altro "
                                   "nome."),
                kErrorStyle);
    return true;
}

MessageAnswer DocumentCommands::ShowMessage(const QString& text, MessageStyle style) {
    return messages_.Show(DisplayedFileName(text), style, messageTitle_);
}

} // namespace qb
