// figures FILE: one "X Y" pair per line; prints the eleven figures as the statistics page shows
// them, or "FAIL <step>" when the engine rejects the data.

#include "engine/DataSet.h"
#include "engine/Engine.h"
#include "engine/Statistics.h"
#include "engine/StatisticsCaptions.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: figures FILE\n  FILE: one X and Y text per line, " << qb::kMinRowCount
                  << " to " << qb::kRowCapacity << " lines\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "figures: cannot read " << argv[1] << '\n';
        return 2;
    }
    qb::DataSet rows;
    int count = 0;
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        std::istringstream fields(line);
        std::string x, y, extra;
        if (!(fields >> x)) {
            continue; // blank line
        }
        if (!(fields >> y) || (fields >> extra)) {
            std::cerr << "figures: line " << lineNumber << " is not an X and a Y text\n";
            return 2;
        }
        if (count == qb::kRowCapacity) {
            std::cerr << "figures: more than " << qb::kRowCapacity << " rows\n";
            return 2;
        }
        rows[count++] = {QString::fromStdString(x), QString::fromStdString(y), true, true};
    }
    if (count < qb::kMinRowCount) {
        std::cerr << "figures: fewer than " << qb::kMinRowCount << " rows\n";
        return 2;
    }

    qb::Statistics stats;
    qb::Extremes extremes;
    const qb::ComputeOutcome outcome = qb::ComputeStatistics(rows, stats, extremes);
    if (!outcome.ok) {
        std::cout << "FAIL " << outcome.failedStep << '\n';
        return 0;
    }
    const auto captions = qb::StatisticsCaptions(stats, u'.');
    for (int f = 0; f < qb::kFigureCount; ++f) {
        std::cout << qb::kFigureNames[f] << '=' << captions[f].toStdString() << '\n';
    }
    return 0;
}
