#pragma once

// Tables of cases in tab-separated files beside the tests, one case a line; a line starting with
// '#' is a comment. In a field "" is the empty text, \t, \n and \r a tab, line feed and return,
// and <c*n> the character c n times, so that long texts stay one readable line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

// Failures show a QString as text rather than as bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace qb {

struct Case {
    std::string where; // file:line, for the failure report
    QStringList fields;
    QString operator[](int i) const { return fields.value(i); }
};

// The cases of the file `name` beside `testSource` (pass __FILE__); an empty table fails.
inline std::vector<Case> ReadCases(const char* testSource, const char* name) {
    static const QRegularExpression repeat(QStringLiteral(R"(<(.)\*(\d+)>)"));
    QFile file(QFileInfo(QString::fromUtf8(testSource)).dir().filePath(name));
    const QList<QByteArray> lines =
        file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>{};
    std::vector<Case> cases;
    for (int line = 0; line < lines.size(); ++line) {
        if (lines[line].trimmed().isEmpty() || lines[line].startsWith('#')) {
            continue;
        }
        cases.push_back({std::string(name) + ':' + std::to_string(line + 1), {}});
        for (QString f : QString::fromUtf8(lines[line]).split(u'\t')) {
            f.replace("\\t", "\t").replace("\\n", "\n").replace("\\r", "\r");
            for (auto m = repeat.match(f); m.hasMatch(); m = repeat.match(f)) {
                f.replace(m.capturedStart(), m.capturedLength(),
                          m.captured(1).repeated(m.captured(2).toInt()));
            }
            cases.back().fields << (f == "\"\"" ? QString() : f);
        }
    }
    EXPECT_FALSE(cases.empty()) << "no cases in " << name;
    return cases;
}

} // namespace qb
