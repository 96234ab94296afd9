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

} // namespace qb
