#pragma once

#include "TextValue.h"

#include <QString>
#include <optional>

namespace qb {

// An entry text with its number, read once whenever the text is set, so that the figures, the
// extremes and the chart take the number without reading the text again. Rows are written as
// their texts, so a text converts to an entry and back.
class Entry {
public:
    Entry() = default;
    Entry(QString text) : text_(std::move(text)), number_(ReadNumber(text_)) {}
    Entry(const char* text) : Entry(QString::fromUtf8(text)) {}

    const QString& Text() const { return text_; }
    operator const QString&() const { return text_; }
    // nullopt when the number lies beyond the 64-bit float range.
    const std::optional<NumberReading>& Number() const { return number_; }

    // The number follows from the text.
    bool operator==(const Entry& other) const { return text_ == other.text_; }

private:
    QString text_;
    std::optional<NumberReading> number_ = NumberReading{};
};

} // namespace qb
