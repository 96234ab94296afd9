// The lookup by section and key, the bounded file read and the code page of the data files.
#include "files/ProfileText.h"
#include "files/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>
#include <sys/stat.h>

namespace qb {
namespace {

struct Lookup {
    const char* what;
    const char* text;
    const char* section;
    const char* key;
    const char* expected; // nullptr: the default
};

void PrintTo(const Lookup& l, std::ostream* os) {
    *os << l.what;
}

class ReadKeyTest : public ::testing::TestWithParam<Lookup> {};

TEST_P(ReadKeyTest, FindsTheValueOrTheDefault) {
    const Lookup& l = GetParam();
    const ProfileText profile = ProfileText::FromBytes(l.text);
    const QString fallback = QStringLiteral("<default>");
    const QString found =
        profile.ReadKey(QString::fromLatin1(l.section), QString::fromLatin1(l.key), fallback);
    EXPECT_EQ(found, l.expected ? QString::fromLatin1(l.expected) : fallback);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ReadKeyTest,
    ::testing::Values(
        Lookup{"plain", "[Points]\r\nNumber=7\r\n", "Points", "Number", "7"},
        Lookup{"line feeds alone", "[Points]\nNumber=7\n", "Points", "Number", "7"},
        Lookup{"no final line end", "[Points]\r\nNumber=7", "Points", "Number", "7"},
        Lookup{"section without regard to case", "[POINTS]\r\nNumber=7\r\n", "points", "Number",
               "7"},
        Lookup{"key without regard to case", "[Points]\r\nnUMBER=7\r\n", "Points", "Number", "7"},
        Lookup{"first line wins", "[Points]\r\nNumber=7\r\nNumber=9\r\n", "Points", "Number", "7"},
        Lookup{"first section wins", "[Points]\r\nNumber=7\r\n[Points]\r\nNumber=9\r\n", "Points",
               "Number", "7"},
        Lookup{"later section holds a missing key",
               "[Points]\r\nOther=1\r\n[points]\r\nNumber=9\r\n", "Points", "Number", "9"},
        Lookup{"value after the first equals sign", "[Computation]\r\n0=X = 1 / Y = 2\r\n",
               "Computation", "0", "X = 1 / Y = 2"},
        Lookup{"blanks around key and value", "[Points]\r\n  Number \t=  7 \t\r\n", "Points",
               "Number", "7"},
        Lookup{"empty value", "[Data X]\r\n3=\r\n", "Data X", "3", ""},
        Lookup{"missing key", "[Data X]\r\n3=1\r\n", "Data X", "4", nullptr},
        Lookup{"missing section", "[Data X]\r\n3=1\r\n", "Data Y", "3", nullptr},
        Lookup{"key of another section", "[Data X]\r\n3=1\r\n[Data Y]\r\n", "Data Y", "3", nullptr},
        Lookup{"lines before any section", "Number=5\r\n[Points]\r\n", "Points", "Number", nullptr},
        Lookup{"line without equals sign", "[Points]\r\nNumber\r\n", "Points", "Number", nullptr},
        Lookup{"unclosed header ends the section", "[Points]\r\n[Other\r\nNumber=7\r\n", "Points",
               "Number", nullptr},
        Lookup{"empty text", "", "Points", "Number", nullptr}));

TEST(ReadKey, CutsLongValuesTo254CharactersAndTrimsAgain) {
    const QByteArray longValue(300, 'x');
    const ProfileText profile = ProfileText::FromBytes(
        "[S]\r\nlong=" + longValue + "\r\ncut=" + QByteArray(253, 'y') + " z\r\n");
    EXPECT_EQ(profile.ReadKey("S", "long", {}), QString(254, u'x'));
    EXPECT_EQ(profile.ReadKey("S", "cut", {}), QString(253, u'y'));
}

TEST(ReadKey, SurvivesBinaryData) {
    QByteArray noise;
    for (int i = 0; i < 4096; ++i) {
        noise.append(char((i * 7919) % 256));
    }
    noise.insert(100, "\n[S]\nk=v\0w\n", 12);
    const ProfileText profile = ProfileText::FromBytes(noise);
    EXPECT_EQ(profile.ReadKey("S", "k", {}), QString::fromLatin1("v\0w", 3));
}

class ProfileFileTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(ProfileFileTest, ReadsAFileUpToTheSizeLimit) {
    QByteArray bytes = "[Program ID]\r\nID=Quantorelle\r\n";
    bytes.append(QByteArray(ProfileText::kMaxFileSize - bytes.size(), ' '));
    const QString path = Write("limit.rgs", bytes);
    EXPECT_EQ(ProfileText::FromFile(path).ReadKey("Program ID", "ID", {}), "Quantorelle");
}

TEST_F(ProfileFileTest, LargerFilesAndNonFilesReadAsEmpty) {
    QByteArray bytes = "[Program ID]\r\nID=Quantorelle\r\n";
    bytes.append(QByteArray(ProfileText::kMaxFileSize, ' '));
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {Write("big.rgs", bytes), dir.path(), dir.filePath("missing"), fifo,
                                QStringLiteral("/dev/zero")}) {
        EXPECT_EQ(ProfileText::FromFile(path).ReadKey("Program ID", "ID", "none"), "none")
            << path.toStdString();
    }
}

struct CodePoint {
    unsigned char byte;
    char16_t character;
};

class Windows1252Test : public ::testing::TestWithParam<CodePoint> {};

TEST_P(Windows1252Test, MapsByteAndCharacterBothWays) {
    const CodePoint p = GetParam();
    const QByteArray byte(1, char(p.byte));
    EXPECT_EQ(FromWindows1252(byte), QString(QChar(p.character)));
    EXPECT_EQ(ToWindows1252(QString(QChar(p.character))), byte);
}

INSTANTIATE_TEST_SUITE_P(Table, Windows1252Test,
                         ::testing::Values(CodePoint{'A', u'A'}, CodePoint{0x80, u'\u20AC'},
                                           CodePoint{0x81, u'\u0081'}, CodePoint{0x8C, u'\u0152'},
                                           CodePoint{0x9F, u'\u0178'}, CodePoint{0xA0, u'\u00A0'},
                                           CodePoint{0xE8, u'\u00E8'}, CodePoint{0xFF, u'\u00FF'},
                                           CodePoint{0x00, u'\0'}));

TEST(Windows1252, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(char(b));
    }
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(ToWindows1252(u"a\u03A9b\u0100"), "a?b?");
}

} // namespace
} // namespace qb
