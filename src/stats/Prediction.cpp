#include "Prediction.h"

#include "Engine.h"
#include "data/NumberPattern.h"
#include "data/TextValue.h"

namespace qb {

std::optional<Prediction> Predict(QStringView xText, const Statistics& stats, bool statsValid,
                                  QChar decimalSeparator) {
    if (!statsValid) {
        return std::nullopt;
    }
    const auto x = TextValueExtended(xText);
    if (!x) {
        return std::nullopt;
    }
    const auto y = PredictY(*x, stats[A], stats[B]);
    if (!y) {
        return std::nullopt;
    }
    Prediction p;
    p.y = FormatNumber(*y, kMeanPattern, decimalSeparator);
    p.item = QStringLiteral("X = ") + FormatNumber(*x, kMeanPattern, decimalSeparator) +
             QStringLiteral(" / Y = ") + p.y;
    return p;
}

} // namespace qb
