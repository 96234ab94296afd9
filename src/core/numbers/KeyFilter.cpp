#include "KeyFilter.h"

#include <limits>

namespace qb {

KeyDecision FilterEntryKey(QStringView text, char16_t code) {
    KeyDecision d;
    if (code == kEnterKey) {
        d.navigate = true;
        d.accepted = true;
    } else if (code == kBackspaceKey || (code >= u'0' && code <= u'9')) {
        d.accepted = true;
    } else if (code == u'-') {
        d.accepted = text.isEmpty();
    } else if (code == u'.') {
        if (text.isEmpty()) {
            d.replacement = QStringLiteral("0.");
        }
        d.accepted = !d.replacement && !text.contains(u'.');
    }
    return d;
}

std::optional<EntryState> PasteIntoEntry(const EntryState& field, QStringView pasted,
                                         EntryKeyFilter filter, int maxLength) {
    if (pasted.endsWith(u'\n')) {
        pasted.chop(pasted.endsWith(u"\r\n") ? 2 : 1);
    }
    // Checked before the characters, so that a huge clipboard costs nothing.
    if (pasted.size() > maxLength) {
        return std::nullopt;
    }
    EntryState result{.text = field.text, .caret = field.selectionStart};
    result.text.remove(field.selectionStart, field.selectionLength);
    if (field.selectionLength == 0) {
        result.caret = field.caret;
    }
    for (const QChar c : pasted) {
        const char16_t code = c == u',' ? u'.' : c.unicode();
        if (code < u' ') { // control characters type nothing here
            return std::nullopt;
        }
        const KeyDecision decision = filter(result.text, code);
        if (decision.replacement) {
            result.text = *decision.replacement;
            result.caret = int(result.text.size());
        }
        if (decision.accepted) {
            result.text.insert(result.caret++, QChar(code));
        } else if (!decision.replacement) {
            return std::nullopt;
        }
    }
    if (result.text.size() > maxLength) {
        return std::nullopt;
    }
    return result;
}

std::optional<QString> TypedEntryText(QStringView keys) {
    const auto typed = PasteIntoEntry({}, keys, FilterEntryKey, std::numeric_limits<int>::max());
    return typed ? std::optional(typed->text) : std::nullopt;
}

} // namespace qb
