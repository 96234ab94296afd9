#pragma once

#include "numbers/ExactNumber.h"

#include <array>

namespace qb {

// The eleven figures, in the order the statistics page, the data file and the report use.
enum class Figure { X, Y, X2, Y2, XY, SX, SY, SXY, A, B, R };
inline constexpr int kFigureCount = 11;

inline constexpr std::array<const char*, kFigureCount> kFigureNames = {
    "X", "Y", "X2", "Y2", "XY", "SX", "SY", "SXY", "A", "B", "R"};

struct Statistics {
    std::array<ExactNumber, kFigureCount> values{};

    ExactNumber& operator[](Figure f) { return values[int(f)]; }
    const ExactNumber& operator[](Figure f) const { return values[int(f)]; }
    bool AllZero() const {
        for (const ExactNumber& v : values) {
            if (!v.IsZero()) {
                return false;
            }
        }
        return true;
    }
};

// Whether the figures describe the rows as they stand; any change to the rows invalidates them.
enum class StatsState { Invalid, Valid };

// Smallest and largest X and Y over row 0 and the active rows, whatever their use flag.
struct Extremes {
    double XMin = 0;
    double XMax = 0;
    double YMin = 0;
    double YMax = 0;

    bool operator==(const Extremes&) const = default;
};

} // namespace qb
