#include "StatisticsCaptions.h"

#include "numbers/NumberPattern.h"

#include <QStringView>

namespace qb {

std::array<QString, FigureCount> StatisticsCaptions(const Statistics& stats,
                                                    QChar decimalSeparator) {
    std::array<QString, FigureCount> captions;
    for (int f = 0; f < FigureCount; ++f) {
        const NumberPattern pattern = f >= A ? kCoefficientPattern : kMeanPattern;
        captions[f] = FormatNumber(stats[Figure(f)], pattern, decimalSeparator);
    }
    return captions;
}

QString FigureTitle(Figure f) {
    static constexpr std::array<QStringView, FigureCount> kTitles = {
        u"Media di X",
        u"Media di Y",
        u"Media dei quadrati di X",
        u"Media dei quadrati di Y",
        u"Media dei prodotti di X per Y",
        u"Scarto quadratico medio di X",
        u"Scarto quadratico medio di Y",
        u"Radice della covarianza",
        u"Coefficiente angolare a",
        u"Termine noto b",
        u"Coefficiente di correlazione r"};
    return kTitles[f].toString();
}

} // namespace qb
