#include "Notices.h"

#include "files/FileName.h"
#include "numbers/KeyFilter.h"

#include <QLocale>

namespace qb {
namespace {

constexpr qsizetype kQuotedCellLimit = 40;

// The cell as the message quotes it: a long one cut, never amid a surrogate pair.
QString Quoted(const QString& cell) {
    if (cell.size() <= kQuotedCellLimit) {
        return cell;
    }
    const qsizetype kept = kQuotedCellLimit - 1 - cell[kQuotedCellLimit - 2].isHighSurrogate();
    return cell.left(kept) + u'…';
}

QString PasteRefusalText(const RefusedPaste& refused) {
    const auto onLine = [&refused](const QString& what) {
        return QStringLiteral("La riga %1 degli appunti %2").arg(refused.line).arg(what);
    };
    switch (refused.why) {
    case PasteRefusal::TooLarge:
        return QStringLiteral("Gli appunti contengono più di %1 kB di testo: troppi per %2 coppie "
                              "di numeri.")
            .arg(kPasteByteLimit / 1024)
            .arg(kRowCapacity);
    case PasteRefusal::TooManyLines:
        return QStringLiteral("Negli appunti ci sono più di %1 righe: si incollano al massimo %2 "
                              "coppie e una riga d'intestazione.")
            .arg(kPasteLineLimit)
            .arg(kRowCapacity);
    case PasteRefusal::NoPairs:
        return QStringLiteral("Negli appunti non ci sono coppie di numeri da incollare.");
    case PasteRefusal::OnePair:
        return QStringLiteral("Negli appunti c'è una sola coppia: ne servono almeno %1.")
            .arg(kMinRowCount);
    case PasteRefusal::TooManyPairs:
        return QStringLiteral("Negli appunti ci sono %1 coppie: al massimo %2.")
            .arg(refused.count)
            .arg(kRowCapacity);
    case PasteRefusal::EmptyCell:
        return onLine(QStringLiteral("ha una cella vuota."));
    case PasteRefusal::NotANumber:
        return onLine(
            QStringLiteral("contiene «%1», che non è un numero.").arg(Quoted(refused.cell)));
    case PasteRefusal::TooLongNumber:
        return onLine(QStringLiteral("contiene un numero di più di %1 caratteri, che un campo non "
                                     "può contenere.")
                          .arg(kEntryTextLimit));
    case PasteRefusal::OneValue:
        return onLine(QStringLiteral("ha un solo valore: ne servono due, X e Y."));
    case PasteRefusal::ManyValues:
        return onLine(QStringLiteral("ha %1 valori: ne servono due, X e Y.").arg(refused.count));
    case PasteRefusal::None:
        break;
    }
    return {};
}

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
        return PasteRefusalText(o.paste);
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

Message RecoveryQuestion(const QDateTime& written) {
    const QString when = QLocale(QLocale::Italian, QLocale::Italy)
                             .toString(written, QStringLiteral("dd/MM/yyyy HH:mm"));
    return {QStringLiteral("Il lavoro non salvato del %1 può essere ripristinato. "
                           "Ripristinarlo?")
                .arg(when),
            kQuestionStyle, kProgramCaption};
}

Message UnreadableRecoveryMessage(const QString& keptAs) {
    return {DisplayedFileName(QStringLiteral("Il lavoro non salvato non può essere ripristinato: "
                                             "la sua copia è illeggibile. È stata conservata "
                                             "come ") +
                              keptAs + u'.'),
            kErrorStyle, kProgramCaption};
}

Message MissingRecentFileMessage(const QString& path) {
    return {DisplayedFileName(QStringLiteral("Il file ") + path +
                              QStringLiteral(" non esiste più: è stato tolto dai file recenti.")),
            kErrorStyle, kProgramCaption};
}

Consent MessageBoxOverwriteQuestion::ConfirmOverwrite(const QString& path) {
    const QString text = DisplayedFileName(QStringLiteral("Sovrascrivere il file ") + path + u'?');
    return messages_.Show(text, kQuestionStyle, kProgramCaption) == MessageAnswer::Yes
               ? Consent::Agreed
               : Consent::Declined;
}

} // namespace qb
