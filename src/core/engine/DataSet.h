#pragma once

#include "numbers/Entry.h"

#include <array>

namespace qb {

// The fixed capacity of the data set; rows are indexed 0 to 29.
inline constexpr int kRowCapacity = 30;
inline constexpr int kMinRowCount = 2;

enum class Column { X, Y };

struct DataRow {
    Entry x;
    Entry y;
    bool used = false;   // the row's check box: takes part in the figures
    bool active = false; // within the chosen row count: editable

    const Entry& Text(Column c) const { return c == Column::X ? x : y; }
    Entry& Text(Column c) { return c == Column::X ? x : y; }
    bool operator==(const DataRow&) const = default;
};

// A plain snapshot of the grid, the only input of the engine, the file writer, the report and
// the chart.
using DataSet = std::array<DataRow, kRowCapacity>;

} // namespace qb
