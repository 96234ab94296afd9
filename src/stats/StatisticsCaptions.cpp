#include "StatisticsCaptions.h"

#include "data/NumberPattern.h"

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

} // namespace qb
