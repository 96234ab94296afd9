#include "KeyFilter.h"

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

std::optional<QString> TypedEntryText(QStringView keys) {
    QString text;
    for (const QChar key : keys) {
        if (key == QChar(kEnterKey) || key == QChar(kBackspaceKey)) {
            return std::nullopt; // they act on the field instead of entering
        }
        const KeyDecision d = FilterEntryKey(text, key.unicode());
        if (d.replacement) {
            text = *d.replacement;
        } else if (d.accepted) {
            text += key;
        } else {
            return std::nullopt;
        }
    }
    return text;
}

} // namespace qb
