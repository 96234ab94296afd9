// The entry texts: reading a text's leading number, the text written back, the key filter and the
// display patterns, each against its table of cases beside this file.
#include "core/numbers/CaseFile.h"
#include "numbers/KeyFilter.h"
#include "numbers/NumberPattern.h"
#include "numbers/NumberText.h"
#include "numbers/TextValue.h"

#include <cstdlib>

namespace qb {
namespace {

double Double(const QString& text) {
    return std::strtod(text.toLatin1().constData(), nullptr);
}
mpq_class Rational(const QString& text) {
    mpq_class q(text.toStdString());
    q.canonicalize();
    return q;
}

// The readings must agree, or the engine and the grid would disagree on a row.
TEST(TextValue, ReadsTheLeadingNumberAsAFloatAndExactly) {
    for (const Case& c : ReadCases(__FILE__, "text_value.tsv")) {
        SCOPED_TRACE(c.where);
        const auto value = TextValue(c[0]);
        const auto exact = ExactTextValue(c[0]);
        const auto reading = ReadNumber(c[0]);
        EXPECT_EQ(value.has_value(), c[1] != "overflow");
        ASSERT_EQ(exact.has_value(), value.has_value());
        ASSERT_EQ(reading.has_value(), value.has_value());
        if (value) {
            EXPECT_EQ(*value, Double(c[1]));
            EXPECT_EQ(reading->value, Double(c[1]));
            const mpq_class near(*value);
            for (const mpq_class& q : {exact->Rational(), reading->exact.Rational()}) {
                EXPECT_TRUE(c[2].isEmpty() ? abs(q - near) <= abs(near) >> 52
                                           : q == Rational(c[2]));
            }
        }
    }
}

TEST(NumberText, WritesATextThatReadsBackToItself) {
    for (const Case& c : ReadCases(__FILE__, "number_text.tsv")) {
        SCOPED_TRACE(c.where);
        const auto value = c[0] == "text" ? TextValue(c[1]) : std::optional(Double(c[1]));
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(NumberText(*value), c[2]);
        if (const auto back = TextValue(c[2])) { // the largest values write a text beyond range
            EXPECT_EQ(NumberText(*back), c[2]);
        }
    }
}

TEST(KeyFilter, DecidesOnTheWholeText) {
    for (const Case& c : ReadCases(__FILE__, "key_filter.tsv")) {
        SCOPED_TRACE(c.where);
        const char16_t key =
            c[1].startsWith("U+") ? char16_t(c[1].mid(2).toUInt(nullptr, 16)) : c[1][0].unicode();
        const KeyDecision d = FilterEntryKey(c[0], key);
        EXPECT_EQ(QString(d.accepted ? "accepted" : "refused") + (d.navigate ? " navigates" : "") +
                      (d.replacement ? " becomes " + *d.replacement : QString()),
                  c[2]);
    }
}

// Values: a 64-bit value, q:n/d an exact rational, r:q or -r:q a signed square root.
TEST(FormatNumber, AppliesThePattern) {
    for (const Case& c : ReadCases(__FILE__, "number_pattern.tsv")) {
        SCOPED_TRACE(c.where);
        const NumberPattern pattern = c[1] == "mean" ? kMeanPattern
                                      : c[1] == "coefficient"
                                          ? kCoefficientPattern
                                          : NumberPattern::FromText(c[1].toStdString());
        const QString v = c[0], root = v.section(u':', 1);
        const auto shown = [&](const auto& value) { return FormatNumber(value, pattern, c[2][0]); };
        EXPECT_EQ(v.startsWith("q:") ? shown(ExactNumber(Rational(root)))
                  : v.contains("r:")
                      ? shown(v.startsWith(u'-') ? ExactNumber::NegativeRoot(Rational(root))
                                                 : ExactNumber::Root(Rational(root)))
                      : shown(Double(v)),
                  c[3]);
    }
}

} // namespace
} // namespace qb
