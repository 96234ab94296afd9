#include "DataText.h"

#include "NumberPattern.h"
#include "TextValue.h"

namespace qb {

QString ShownDataText(const QString& text, QChar decimalSeparator) {
    const auto value = ExactWholeTextValue(text);
    return value ? FormatNumber(ExactNumber(value->Rational()), kMeanPattern, decimalSeparator)
                 : text;
}

} // namespace qb
