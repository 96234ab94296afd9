// Reading one registry value as text: where the value is cut, how strings and 32-bit numbers
// read, and what a failed lookup leaves.
#include "support/FakeRegistry.h"
#include "system/Registry.h"

#include <gtest/gtest.h>

using namespace qb;

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kName = QStringLiteral("PATH");

QByteArray Bytes(const char* text, int size) {
    return QByteArray(text, size);
}

struct Readable {
    const char* name;
    quint32 type;
    QByteArray bytes;
    QString text;
};

void PrintTo(const Readable& c, std::ostream* os) {
    *os << c.name;
}

class ReadsAValue : public testing::TestWithParam<Readable> {};

TEST_P(ReadsAValue, AsText) {
    FakeRegistry registry;
    registry.Set(kKey, kName, {GetParam().type, GetParam().bytes});
    QString value = QStringLiteral("before");
    EXPECT_TRUE(GetKeyValue(registry, kLocalMachine, kKey, kName, value));
    EXPECT_EQ(value, GetParam().text);
    EXPECT_EQ(registry.openKeys(), 0);
    EXPECT_EQ(registry.requestedAccess, QList<quint32>{0x2003F});
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadsAValue,
    testing::Values(
        Readable{"string_with_final_zero", kStringValue, Bytes("C:\\Programmi\\MSINFO32.EXE\0", 26),
                 "C:\\Programmi\\MSINFO32.EXE"},
        Readable{"string_without_final_zero", kStringValue, "abc", "abc"},
        Readable{"only_one_final_zero_is_cut", kStringValue, Bytes("abc\0\0", 5),
                 QStringLiteral("abc") + QChar(0)},
        Readable{"empty_string", kStringValue, "", ""},
        Readable{"lone_zero", kStringValue, Bytes("\0", 1), ""},
        Readable{"code_page_letters", kStringValue, "Caff\xe8 \x80", QStringLiteral("Caffè €")},
        Readable{"value_as_large_as_the_buffer", kStringValue, QByteArray(1024, 'x'),
                 QString(1024, u'x')},
        Readable{"dword_most_significant_byte_first", kDwordValue, "\x78\x56\x34\x12",
                 "&h12345678"},
        Readable{"dword_two_upper_case_digits_per_byte", kDwordValue, "\x0d\x0c\x0b\x0a",
                 "&h0A0B0C0D"},
        // The final-zero cut applies to numbers too: a zero top byte disappears.
        Readable{"dword_with_zero_top_byte", kDwordValue, Bytes("\x05\x00\x00\x00", 4),
                 "&h000005"}),
    [](const testing::TestParamInfo<Readable>& info) { return info.param.name; });

TEST(GetKeyValue, OtherTypesLeaveTheTextAsItWas) {
    FakeRegistry registry;
    registry.Set(kKey, kName, {3, "\x01\x02"});
    QString value = QStringLiteral("before");
    EXPECT_TRUE(GetKeyValue(registry, kLocalMachine, kKey, kName, value));
    EXPECT_EQ(value, QStringLiteral("before"));
    EXPECT_EQ(registry.openKeys(), 0);
}

struct Unreadable {
    const char* name;
    QString key;
    QString valueName;
    QByteArray bytes;
};

void PrintTo(const Unreadable& c, std::ostream* os) {
    *os << c.name;
}

class FailsToRead : public testing::TestWithParam<Unreadable> {};

TEST_P(FailsToRead, EmptiesTheTextAndClosesWhatItOpened) {
    FakeRegistry registry;
    registry.Set(kKey, kName, {kStringValue, GetParam().bytes});
    QString value = QStringLiteral("before");
    EXPECT_FALSE(GetKeyValue(registry, kLocalMachine, GetParam().key, GetParam().valueName, value));
    EXPECT_TRUE(value.isEmpty());
    EXPECT_EQ(registry.openKeys(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, FailsToRead,
    testing::Values(Unreadable{"missing_key", "SOFTWARE\\Nowhere", kName, "x"},
                    Unreadable{"missing_value", kKey, "MISSING", "x"},
                    Unreadable{"value_larger_than_the_buffer", kKey, kName, QByteArray(1025, 'x')}),
    [](const testing::TestParamInfo<Unreadable>& info) { return info.param.name; });

} // namespace
