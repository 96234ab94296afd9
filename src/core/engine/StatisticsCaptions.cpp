#include "StatisticsCaptions.h"

#include "numbers/NumberPattern.h"

#include <QStringView>

namespace qb {

std::array<QString, kFigureCount> StatisticsCaptions(const Statistics& stats,
                                                     QChar decimalSeparator) {
    std::array<QString, kFigureCount> captions;
    for (int f = 0; f < kFigureCount; ++f) {
        const NumberPattern pattern = f >= int(Figure::A) ? kCoefficientPattern : kMeanPattern;
        captions[f] = FormatNumber(stats[Figure(f)], pattern, decimalSeparator);
    }
    return captions;
}

QString FigureTitle(Figure f) {
    static constexpr std::array<QStringView, kFigureCount> kTitles = {
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
    return kTitles[int(f)].toString();
}

} // namespace qb
