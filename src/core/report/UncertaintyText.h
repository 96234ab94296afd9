#pragma once

#include "engine/Uncertainty.h"

#include <QChar>
#include <QString>
#include <array>

namespace qb {

// The words and shown forms of the uncertainty's figures, shared by page 5, the prediction page,
// the report and the clipboard so that each says the same thing the same way.

inline constexpr int kCoefficientColumns = 5;
inline constexpr int kUncertaintySummaries = 4; // s, R², degrees of freedom, critical t

// Row 0 the slope a, row 1 the intercept b.
extern const std::array<QString, 2> kCoefficientNames;
extern const std::array<QString, kCoefficientColumns> kCoefficientHeadings;
extern const std::array<QString, kUncertaintySummaries> kSummaryNames;
// The note where two rows leave no degrees of freedom.
extern const QString kNoDegreesOfFreedomNote;

// A figure with the given decimal separator, or "—" where it is not defined.
QString ShownFigure(const FigureText& figure, QChar separator);
// "[low; high]", or "—" where the interval is not defined.
QString ShownInterval(const FigureText& low, const FigureText& high, QChar separator);
// Why some figures read "—"; empty when all are defined.
QString UncertaintyNoteText(UncertaintyNote note);
// The captions of a prediction's two intervals, with their colon.
QString MeanIntervalCaption(ConfidenceLevel level);
QString NewIntervalCaption(ConfidenceLevel level);

// A coefficient's row in the order of kCoefficientHeadings, after its estimate as shown.
std::array<QString, kCoefficientColumns>
ShownCoefficient(const QString& estimate, const CoefficientUncertainty& figures, QChar separator);
// The summaries in the order of kSummaryNames, with the given separator.
std::array<QString, kUncertaintySummaries> ShownSummaries(const UncertaintyFigures& figures,
                                                          QChar separator);

} // namespace qb
