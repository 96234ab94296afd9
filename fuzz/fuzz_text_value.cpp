// Any text as an entry: conversion, normal form, exact differences, display patterns and the
// key filter must end without a crash or undefined behaviour, and agree with each other.
#include "data/KeyFilter.h"
#include "data/NumberPattern.h"
#include "data/NumberText.h"
#include "data/TextValue.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto value = qb::TextValue(text);
    const auto extended = qb::TextValueExtended(text);
    Check(value.has_value() == extended.has_value()); // the same texts overflow
    if (!value) {
        return 0;
    }
    Check(std::isfinite(*value));
    // The normal form reads back to itself.
    const QString normal = qb::NumberText(*value);
    const auto reread = qb::TextValue(normal);
    Check(reread.has_value() && qb::NumberText(*reread) == normal);
    Check(*qb::TextDifferenceExtended(text, text) == 0);
    Check(!qb::FormatNumber(*extended, qb::kMeanPattern, u',').isEmpty());
    Check(!qb::FormatNumber(*value, qb::kCoefficientPattern, u'.').isEmpty());
    for (QChar c : text.left(8)) {
        qb::FilterEntryKey(text, c.unicode());
    }
    return 0;
}
