#include "core/numbers/CaseFile.h"
#include "files/PastedPairs.h"

namespace qb {

const QStringList kRefusals{
    "",          "TooLarge",   "TooManyLines",  "NoPairs",  "OnePair",   "TooManyPairs",
    "EmptyCell", "NotANumber", "TooLongNumber", "OneValue", "ManyValues"};

// The refusal's kind, then its line, count and cell where it names them.
QString Described(const RefusedPaste& r) {
    QString words = kRefusals.value(int(r.why));
    words += r.line > 0 ? QStringLiteral(" line %1").arg(r.line) : QString();
    words += r.count > 0 ? QStringLiteral(" count %1").arg(r.count) : QString();
    return r.cell.isEmpty() ? words : words + QStringLiteral(" «") + r.cell + u'»';
}

// The pairs "x y|x y"; when the user has to choose, each reading after its separators
// ("[tab ,]" for tabs and a decimal comma), the readings joined by " || ".
QString Shown(const PasteOutcome& outcome) {
    static const char* const kColumns[] = {"tab", ";", ",", "spazi"};
    QStringList readings;
    for (const PairsReading& reading : outcome.readings) {
        QStringList pairs;
        for (const PastedPair& p : reading.pairs) {
            pairs << p.x + u' ' + p.y;
        }
        const QString layout = QStringLiteral("[%1 %2] ")
                                   .arg(kColumns[int(reading.columns)],
                                        reading.decimals == DecimalMark::Comma ? "," : ".");
        readings << (outcome.NeedsChoice() ? layout : QString()) + pairs.join(u'|');
    }
    return outcome.Accepted() ? readings.join(QStringLiteral(" || ")) : Described(outcome.refusal);
}

// The text, or "file:NAME" for the bytes a program put on the clipboard, kept beside the table;
// markup is offered as HTML alone.
TEST(PastedPairs, TakesEveryPairOrRefusesWithTheReason) {
    for (const Case& c : ReadCases(__FILE__, "pasted_pairs.tsv")) {
        QString text = c[0];
        if (text.startsWith(u"file:")) {
            QFile file(QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath(text.mid(5)));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << c.where;
            text = QString::fromUtf8(file.readAll());
        }
        const qsizetype bytes = text.toUtf8().size();
        const ClipboardText offered =
            text.startsWith(u'<') ? ClipboardText{{}, text, bytes} : ClipboardText{text, {}, bytes};
        const PasteOutcome outcome = ReadPastedPairs(offered);
        EXPECT_EQ(Shown(outcome), c[1]) << c.where;
        EXPECT_TRUE(outcome.Accepted() != outcome.readings.empty()) << c.where;
    }
}

} // namespace qb
