#pragma once

#include "files/FileStore.h"
#include "files/PastedPairs.h"

#include <QString>

namespace qb {

// The program's pages, in the order of their tabs.
enum class Page {
    DataTab,
    StatisticsTab,
    ChartTab,
    PredictionTab,
    UncertaintyTab,
    ResidualsTab,
};

// What a command did to the pages, for the window to follow.
enum class PageChange {
    None,
    DataLoaded, // new rows in the grid, prediction emptied: the data page comes to the front
    DataLoadedWithoutRows, // as DataLoaded, but the file ended before its rows: the grid is empty
    DocumentCleared,       // rows, figures, chart and prediction emptied
    ResultsShown,          // the page switched to shows current figures
    ResultsCleared,    // the figures could not be made: statistics, chart and prediction emptied
    Predicted,         // `detail` is the predicted Y, which joined the history
    PredictionRefused, // the X is refused: the field is emptied for another
    PredictionCleared, // field, result and history emptied
};

// What the user is to be told, by kind; the window words it.
enum class Notice {
    None,
    FileNotValid, // `fileName` is no data file of this program
    FileSaved,    // "Salva col nome..." wrote `fileName`
    NotSaved,     // the overwrite was declined
    SaveFailed,   // `fileName` could not be written
    ExportFailed, // `fileName` could not be written, for `cause`
    ForeignName,  // `fileName` holds bytes that are not UTF-8: it opens, but cannot be written
    PasteRefused, // the clipboard holds no pairs to take; `paste` says why
    ScaleErrorX,  // the chart's limits fall together as 32-bit numbers
    ScaleErrorY,
    DataError, // no prediction from that X, or no figures
};

// A command's answer: what changed and what to tell.
struct Outcome {
    PageChange change = PageChange::None;
    Notice notice = Notice::None;
    QString fileName{};
    Replacement cause = Replacement::Failed; // ExportFailed's
    QString detail{};
    RefusedPaste paste{}; // PasteRefused's

    bool operator==(const Outcome&) const = default;
};

} // namespace qb
