#include "Prediction.h"

#include "Engine.h"
#include "numbers/NumberPattern.h"
#include "numbers/TextValue.h"

namespace qb {

std::optional<Prediction> Predict(QStringView xText, const std::optional<Statistics>& stats,
                                  QChar decimalSeparator) {
    if (!stats) {
        return std::nullopt;
    }
    const auto typed = ExactTextValue(xText);
    if (!typed) {
        return std::nullopt;
    }
    const mpq_class x = typed->Rational();
    const auto y = PredictY(x, (*stats)[Figure::A].Rational(), (*stats)[Figure::B].Rational());
    if (!y) {
        return std::nullopt;
    }
    Prediction p;
    p.y = FormatNumber(ExactNumber(*y), kMeanPattern, decimalSeparator);
    p.item = QStringLiteral("X = ") + FormatNumber(ExactNumber(x), kMeanPattern, decimalSeparator) +
             QStringLiteral(" / Y = ") + p.y;
    p.x = x;
    return p;
}

} // namespace qb
