#pragma once

#include <QString>

namespace qb {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageAnswer { Ok, Yes, No };

struct MessageStyle {
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    bool foreground = false; // brought in front of every other window

    bool operator==(const MessageStyle&) const = default;
};

// The five styles the program uses.
inline constexpr MessageStyle kErrorStyle{MessageButtons::Ok, MessageIcon::Exclamation, true};
inline constexpr MessageStyle kConfirmationStyle{MessageButtons::Ok, MessageIcon::Information,
                                                 true};
inline constexpr MessageStyle kQuestionStyle{MessageButtons::YesNo, MessageIcon::Question, true};
inline constexpr MessageStyle kScaleErrorStyle{MessageButtons::Ok, MessageIcon::Critical, false};
inline constexpr MessageStyle kPlainStyle{MessageButtons::Ok, MessageIcon::None, false};

// A modal message: text, buttons, icon and title in, the pressed button out.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MessageAnswer Show(const QString& text, MessageStyle style, const QString& title) = 0;
};

} // namespace qb
