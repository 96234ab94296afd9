// The entry fields' key filter, judged on the whole text.
#include "numbers/KeyFilter.h"

#include <gtest/gtest.h>

#include <ostream>

namespace qb {
namespace {

struct KeyCase {
    const char* text;
    char16_t code;
    bool accepted;
    const char* replacement = nullptr;
    bool navigate = false;
};
void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" + " << static_cast<int>(c.code);
}

class KeyFilter : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyFilter, DecidesOnTheWholeText) {
    const KeyCase& c = GetParam();
    const KeyDecision d = FilterEntryKey(QString::fromLatin1(c.text), c.code);
    EXPECT_EQ(d.accepted, c.accepted);
    EXPECT_EQ(d.navigate, c.navigate);
    if (c.replacement) {
        ASSERT_TRUE(d.replacement.has_value());
        EXPECT_EQ(d.replacement->toStdString(), c.replacement);
    } else {
        EXPECT_FALSE(d.replacement.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyFilter,
    ::testing::Values(
        KeyCase{"", kEnterKey, true, nullptr, true}, KeyCase{"1.5", kEnterKey, true, nullptr, true},
        KeyCase{"", kBackspaceKey, true}, KeyCase{"12", kBackspaceKey, true},
        KeyCase{"", u'0', true}, KeyCase{"-1.5", u'9', true}, KeyCase{"12", u'5', true},
        // A minus only into an empty field, even when the whole text is selected.
        KeyCase{"", u'-', true}, KeyCase{"1.5", u'-', false}, KeyCase{"-", u'-', false},
        // A point: "0." into an empty field, refused where the text already has one.
        KeyCase{"", u'.', false, "0."}, KeyCase{"12", u'.', true}, KeyCase{"-", u'.', true},
        KeyCase{"1.5", u'.', false}, KeyCase{"0.", u'.', false}, KeyCase{".5", u'.', false},
        // Everything else, including control characters of clipboard and undo shortcuts.
        KeyCase{"", u',', false}, KeyCase{"1", u',', false}, KeyCase{"1", u'e', false},
        KeyCase{"1", u'E', false}, KeyCase{"", u'+', false}, KeyCase{"1", u' ', false},
        KeyCase{"", u'a', false}, KeyCase{"", u'&', false}, KeyCase{"1", u'H', false},
        KeyCase{"1", 22, false}, KeyCase{"1", 3, false}, KeyCase{"1", 24, false},
        KeyCase{"1", 26, false}, KeyCase{"", 9, false}, KeyCase{"", 10, false},
        KeyCase{"", u'/', false}, KeyCase{"", u':', false}, KeyCase{"", 0x0660, false}));

} // namespace
} // namespace qb
