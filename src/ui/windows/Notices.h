#pragma once

#include "platform/MessageBox.h"
#include "platform/OverwriteQuestion.h"
#include "session/Outcome.h"

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

// The overwrite question as a message box of the window's.
class MessageBoxOverwriteQuestion final : public OverwriteQuestion {
public:
    explicit MessageBoxOverwriteQuestion(MessageBox& messages) : messages_(messages) {}
    Consent ConfirmOverwrite(const QString& path) override;

private:
    MessageBox& messages_;
};

} // namespace qb
