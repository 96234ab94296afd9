#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace qb {

// Character codes the entry fields react to.
inline constexpr char16_t kEnterKey = 13;
inline constexpr char16_t kBackspaceKey = 8;

struct KeyDecision {
    bool accepted = false;              // the field takes the character
    bool navigate = false;              // Enter: move the focus on
    std::optional<QString> replacement; // the field's text becomes this first, caret at its end
};

// The entry fields' key filter, judged on the field's whole text (not on the selection): digits
// and Backspace pass; a minus only into an empty field; a point into an empty field gives "0.",
// and is refused wherever the text already holds one; everything else is refused.
KeyDecision FilterEntryKey(QStringView text, char16_t code);

using EntryKeyFilter = KeyDecision (*)(QStringView text, char16_t code);

// An entry field's text and where its caret and selection lie.
struct EntryState {
    QString text;
    int caret = 0;
    int selectionStart = 0;
    int selectionLength = 0;
};

// The field after `pasted` goes in as if typed: the selection is removed first, as the Delete key
// would, then each character passes `filter` at the caret, the comma as the point. One trailing
// line break (a copied cell's) is dropped. nullopt when any character would be refused or the
// text would outgrow `maxLength`: a paste goes in whole or not at all.
std::optional<EntryState> PasteIntoEntry(const EntryState& field, QStringView pasted,
                                         EntryKeyFilter filter, int maxLength);

// The most characters an entry field holds, a line edit's own limit.
inline constexpr qsizetype kEntryTextLimit = 32767;

// The text an empty field holds after `keys` are typed into it one by one; nullopt when the
// filter refuses one of them.
std::optional<QString> TypedEntryText(QStringView keys);

} // namespace qb
