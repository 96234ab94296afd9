#include "DocumentCommands.h"

#include "RecoveryCopy.h"
#include "files/DataFile.h"
#include "files/FileName.h"
#include "files/PastedPairs.h"
#include "model/Analysis.h"
#include "platform/PastePreview.h"

#include <QFileInfo>
#include <algorithm>
#include <array>

namespace qb {
namespace {

// The chosen filter decides the format: a name that does not end in its extension gets it,
// whatever dots it holds already.
QString WithExtension(const QString& path, const QString& extension) {
    return QFileInfo(path).suffix().compare(extension, Qt::CaseInsensitive) == 0
               ? path
               : path + u'.' + extension;
}

Outcome Told(Notice notice, const QString& fileName) {
    return {.change = PageChange::None, .notice = notice, .fileName = fileName};
}

// The readings as the preview offers them.
QList<PasteCandidate> Candidates(const std::vector<PairsReading>& readings) {
    QList<PasteCandidate> candidates;
    for (const PairsReading& reading : readings) {
        candidates.append({reading.columns, reading.decimals, {}});
        for (const PastedPair& pair : reading.pairs) {
            candidates.back().pairs.append({pair.x, pair.y});
        }
    }
    return candidates;
}

// Every row emptied and the row count back to its least, as a new analysis starts.
void ClearRows(Analysis& analysis) {
    const BusyScope busy(analysis);
    analysis.ChooseRowCount(kMinRowCount);
    for (int i = 0; i < kRowCapacity; ++i) {
        analysis.SetText(Column::X, i, QString());
        analysis.SetText(Column::Y, i, QString());
    }
}

} // namespace

DocumentCommands::DocumentCommands(Analysis& analysis, FileDialog& files,
                                   OverwriteQuestion& overwrite)
    : analysis_(analysis), files_(files), overwrite_(overwrite) {}

Outcome DocumentCommands::New() {
    analysis_.InvalidateStatistics();
    ClearRows(analysis_);
    // A new analysis belongs to no file: the next "Salva" asks for a name instead of writing
    // the new data over the file opened before.
    Unbind();
    analysis_.MarkUnchanged();
    return {.change = PageChange::DocumentCleared};
}

Outcome DocumentCommands::Open() {
    const auto path = ChooseDataFile(FileDialogRequest::Kind::Open);
    if (!path) {
        Unbind();
        return {};
    }
    return Open(*path);
}

Outcome DocumentCommands::Open(const QString& path) {
    lastChosenName_ = path; // also when the name came from the command line
    analysis_.SetCurrentFileName(path);
    const Outcome loaded = LoadDataFile();
    if (loaded.change != PageChange::None) {
        analysis_.MarkUnchanged(); // the file holds what the grid now shows
    }
    return loaded;
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

Outcome DocumentCommands::Fill(const DataFileContent& content) {
    ClearRows(analysis_);
    analysis_.InvalidateStatistics(); // the history with the figures
    ApplyDataFile(content, analysis_);
    return {.change = content.Reaches(DataFileContent::Stop::RowCount)
                          ? PageChange::DataLoaded
                          : PageChange::DataLoadedWithoutRows};
}

Outcome DocumentCommands::Restore(const RecoveredWork& work) {
    const BusyScope busy(analysis_);
    const Outcome filled = Fill(work.data);
    analysis_.SetCurrentFileName(work.record.fileName);
    analysis_.SetLevel(work.record.level);
    return filled;
}

Outcome DocumentCommands::PastePairs(const Clipboard& clipboard, PastePreview& preview) {
    const PasteOutcome outcome = ReadPastedPairs(clipboard.Text(kPasteByteLimit));
    if (!outcome.Accepted()) {
        return {.notice = Notice::PasteRefused, .paste = outcome.refusal};
    }
    qsizetype chosen = 0;
    if (outcome.NeedsChoice()) {
        const auto answer = preview.Choose(Candidates(outcome.readings));
        if (!answer) {
            return {};
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
    return Fill(content);
}

Outcome DocumentCommands::ExportReport(const std::function<QByteArray(const Report&)>& renderPdf) {
    Outcome refusal;
    const auto chosen =
        ChooseExportFile({{{QStringLiteral("Documento PDF (*.pdf)"), QStringLiteral("*.pdf")},
                           QStringLiteral("pdf")}},
                         refusal);
    return chosen ? WriteExport(chosen->path, renderPdf(ReportLines(analysis_.Snapshot())))
                  : refusal;
}

Outcome DocumentCommands::ExportChart(const std::function<QByteArray(ChartFormat)>& render) {
    const QList<ExportType> types = {
        {{QStringLiteral("Immagine PNG (*.png)"), QStringLiteral("*.png")}, QStringLiteral("png")},
        {{QStringLiteral("Disegno SVG (*.svg)"), QStringLiteral("*.svg")}, QStringLiteral("svg")},
        {{QStringLiteral("Documento PDF (*.pdf)"), QStringLiteral("*.pdf")}, QStringLiteral("pdf")},
    };
    constexpr std::array kFormats = {ChartFormat::Png, ChartFormat::Svg,
                                     ChartFormat::Pdf}; // as above
    Outcome refusal;
    const auto chosen = ChooseExportFile(types, refusal);
    return chosen ? WriteExport(chosen->path, render(kFormats[size_t(chosen->filter)])) : refusal;
}

std::optional<FileChoice> DocumentCommands::ChooseExportFile(const QList<ExportType>& types,
                                                             Outcome& refusal) {
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
    // Such a file opens, but Qt's safe replacement would write a file of another name beside it.
    if (HasForeignBytes(chosen->path)) {
        refusal = Told(Notice::ForeignName, chosen->path);
        return std::nullopt;
    }
    if (ConfirmOverwrite(chosen->path) == Consent::Declined) {
        return std::nullopt;
    }
    return chosen;
}

Outcome DocumentCommands::WriteExport(const QString& path, const QByteArray& bytes) {
    const Replacement written =
        bytes.isEmpty() ? Replacement::Failed : ReplaceFileContents(path, bytes);
    if (written == Replacement::Done) {
        return {};
    }
    Outcome failure = Told(Notice::ExportFailed, path);
    failure.cause = written;
    return failure;
}

Outcome DocumentCommands::LoadDataFile() {
    const BusyScope busy(analysis_);
    const QString name = analysis_.CurrentFileName();
    const DataFileContent content = ReadDataFile(ProfileText::FromFile(name));
    if (!content.Reaches(DataFileContent::Stop::NotDataFile)) {
        Unbind();
        return Told(Notice::FileNotValid, name);
    }
    const Outcome filled = Fill(content);
    // What was read before a wrong part stays, but the program is no longer bound to the file.
    if (content.stop != DataFileContent::Stop::None) {
        Unbind();
    }
    return filled;
}

void DocumentCommands::Unbind() {
    analysis_.SetCurrentFileName(QString());
}

Outcome DocumentCommands::Save(SaveMode mode) {
    if (mode == SaveMode::AskName || analysis_.CurrentFileName().isEmpty()) {
        return SaveAs();
    }
    return SaveDataFile(SaveMode::KnownName);
}

Outcome DocumentCommands::SaveAs() {
    const auto path = ChooseDataFile(FileDialogRequest::Kind::Save);
    if (!path) {
        return {};
    }
    const QString previous = analysis_.CurrentFileName();
    analysis_.SetCurrentFileName(*path);
    const Outcome saved = SaveDataFile(SaveMode::AskName);
    // A declined overwrite keeps the program bound to its file, so that "Salva" does not write
    // into the one the user refused to replace.
    if (saved.notice == Notice::NotSaved) {
        analysis_.SetCurrentFileName(previous);
    }
    return saved;
}

Outcome DocumentCommands::SaveDataFile(SaveMode mode) {
    const QString name = analysis_.CurrentFileName();
    if (HasForeignBytes(name)) {
        return Told(Notice::ForeignName, name);
    }
    if (mode == SaveMode::AskName && ConfirmOverwrite(name) == Consent::Declined) {
        return Told(Notice::NotSaved, name);
    }
    // A failed write is reported also without asking: keeping silent would let the user
    // believe the data safe.
    if (ReplaceFileContents(name, DataFileBytes(analysis_.Snapshot())) != Replacement::Done) {
        return Told(Notice::SaveFailed, name);
    }
    analysis_.MarkUnchanged();
    return mode == SaveMode::AskName ? Told(Notice::FileSaved, name) : Outcome{};
}

Consent DocumentCommands::ConfirmOverwrite(const QString& name) {
    // Anything else is refused by the write without being opened: a named pipe would block.
    if (TargetOf(name) != Target::RegularFile) {
        return Consent::Agreed;
    }
    // The old file is replaced only once the new one is complete, so nothing is deleted here.
    return overwrite_.ConfirmOverwrite(name);
}

} // namespace qb
