#include "Notices.h"

#include "files/FileName.h"

namespace qb {
namespace {

QString ExportFailureText(Replacement cause, const QString& path) {
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

std::optional<QString> NoticeText(const Outcome& o) {
    switch (o.notice) {
    case Notice::None:
        return std::nullopt;
    case Notice::FileNotValid:
        return QStringLiteral("Il file ") + o.fileName +
               QStringLiteral(" non è un file valido per questo programma.");
    case Notice::FileSaved:
        return QStringLiteral("Il file ") + o.fileName +
               QStringLiteral(" è stato salvato correttamente");
    case Notice::NotSaved:
        return QStringLiteral("I dati non sono stati salvati");
    case Notice::SaveFailed:
        return QStringLiteral("Errore occorso durante la creazione del file ") + o.fileName;
    case Notice::ExportFailed:
        return ExportFailureText(o.cause, o.fileName);
    case Notice::ForeignName:
        return QStringLiteral("Il file ") + o.fileName +
               QStringLiteral(" ha un nome che non è in UTF-8: il programma può aprirlo ma "
                              "non scriverlo. Nulla è stato scritto: scegliere un altro nome.");
    case Notice::PasteRefused:
        return o.detail;
    case Notice::ScaleErrorX:
        return QStringLiteral("Errore di scala X.");
    case Notice::ScaleErrorY:
        return QStringLiteral("Errore di scala Y.");
    case Notice::DataError:
        return QStringLiteral("Errore nei dati");
    }
    return std::nullopt;
}

} // namespace

std::optional<Message> NoticeMessage(const Outcome& outcome) {
    const auto text = NoticeText(outcome);
    if (!text) {
        return std::nullopt;
    }
    switch (outcome.notice) {
    case Notice::FileSaved:
        return Message{DisplayedFileName(*text), kConfirmationStyle, kProgramCaption};
    // Told under the name of the routine that found them.
    case Notice::ScaleErrorX:
    case Notice::ScaleErrorY:
        return Message{*text, kScaleErrorStyle, QStringLiteral("Quadro")};
    default:
        return Message{DisplayedFileName(*text), kErrorStyle, kProgramCaption};
    }
}

Message HelpMissingMessage() {
    return {QStringLiteral("File di Help errato o mancante"), kErrorStyle, kProgramCaption};
}

Consent MessageBoxOverwriteQuestion::ConfirmOverwrite(const QString& path) {
    const QString text = DisplayedFileName(QStringLiteral("Sovrascrivere il file ") + path + u'?');
    return messages_.Show(text, kQuestionStyle, kProgramCaption) == MessageAnswer::Yes
               ? Consent::Agreed
               : Consent::Declined;
}

} // namespace qb
