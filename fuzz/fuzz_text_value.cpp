// Any text as an entry: conversion, normal form, exact reading, display patterns and the key
// filter must end without a crash or undefined behaviour, and agree with each other.
#include "numbers/KeyFilter.h"
#include "numbers/NumberPattern.h"
#include "numbers/NumberText.h"
#include "numbers/TextValue.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

constexpr auto Check = [](bool condition) { condition ? void() : std::abort(); };

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto value = qb::TextValue(text);
    const auto exact = qb::ExactTextValue(text);
    Check(value.has_value() == exact.has_value()); // the same texts overflow
    if (!value) {
        return 0;
    }
    Check(std::isfinite(*value));
    // The exact value is the double's within its last place; below the smallest positive
    // double it reads as 0.
    const mpq_class rounded(*value);
    const mpq_class smallest(std::numeric_limits<double>::denorm_min());
    Check(abs(exact->Rational() - rounded) <= abs(rounded) / (mpz_class(1) << 52) + smallest);
    // The normal form reads back to itself, but for the largest doubles: rounded to 15 digits
    // they pass the range, and the text then overflows as any such text does.
    const QString normal = qb::NumberText(*value);
    const auto reread = qb::TextValue(normal);
    Check(reread ? qb::NumberText(*reread) == normal : std::abs(*value) >= 1.797693134862315e308);
    Check(!qb::FormatNumber(qb::ExactNumber(exact->Rational()), qb::kMeanPattern, u',').isEmpty());
    Check(!qb::FormatNumber(*value, qb::kCoefficientPattern, u'.').isEmpty());
    for (QChar c : text.left(8)) {
        qb::FilterEntryKey(text, c.unicode());
    }
    return 0;
}
