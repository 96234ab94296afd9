#pragma once

#include "platform/MessageBox.h"
#include "platform/OverwriteQuestion.h"
#include "session/Outcome.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace qb {

// The program's messages in the user's words: every sentence the window shows lives here.
struct Message {
    QString text;
    MessageStyle style;
    QString title;
};

inline const QString kProgramCaption = QStringLiteral("Quantorelle Brindel");

// The message that tells an outcome's notice, if it has one.
std::optional<Message> NoticeMessage(const Outcome& outcome);
Message HelpMissingMessage();
// Whether to put back the work that an instance ended without saving, kept at `written`.
Message RecoveryQuestion(const QDateTime& written);
// The copy of that work could not be read; it was kept as `keptAs`.
Message UnreadableRecoveryMessage(const QString& keptAs);
// A recent file chosen from the menu no longer exists and has left it.
Message MissingRecentFileMessage(const QString& path);

// The overwrite question as a message box of the window's.
class MessageBoxOverwriteQuestion final : public OverwriteQuestion {
public:
    explicit MessageBoxOverwriteQuestion(MessageBox& messages) : messages_(messages) {}
    Consent ConfirmOverwrite(const QString& path) override;

private:
    MessageBox& messages_;
};

} // namespace qb
