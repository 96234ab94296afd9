#include "core/numbers/CaseFile.h"
#include "files/PastedPairs.h"

namespace qb {

TEST(PastedPairs, TakesEveryPairOrRefusesWithTheReason) {
    for (const Case& c : ReadCases(__FILE__, "pasted_pairs.tsv")) {
        const PairsReading reading = ReadPastedPairs(c[0]);
        QStringList pairs;
        for (const PastedPair& p : reading.pairs) {
            pairs << p.x + u' ' + p.y;
        }
        EXPECT_EQ(reading.Accepted() ? pairs.join(u'|') : reading.refusal, c[1]) << c.where;
        EXPECT_TRUE(reading.Accepted() != pairs.isEmpty()) << c.where;
    }
}

} // namespace qb
