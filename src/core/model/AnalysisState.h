#pragma once

#include "AnalysisSnapshot.h"
#include "engine/Uncertainty.h"

namespace qb {

// Everything of the Analysis that a step of the user's work can change, to be put back whole or
// in part.
struct AnalysisState {
    AnalysisSnapshot snapshot; // its level and the history's intervals too
};

// What a restore puts back. Rows come back as if edited by hand, so the change rule empties the
// history and invalidates the figures; History puts back the history alone; Everything also the
// figures as they were, the history, the level and the file the program was bound to.
enum class Restoring { Rows, History, Everything };

} // namespace qb
