#include "UncertaintyText.h"

namespace qb {

const std::array<QString, 2> kCoefficientNames = {QStringLiteral("Pendenza a"),
                                                  QStringLiteral("Intercetta b")};

const std::array<QString, kCoefficientColumns> kCoefficientHeadings = {
    QStringLiteral("Stima"), QStringLiteral("Errore standard"), QStringLiteral("t"),
    QStringLiteral("Valore p"), QStringLiteral("Intervallo di confidenza")};

const std::array<QString, kUncertaintySummaries> kSummaryNames = {
    QStringLiteral("Errore standard della regressione s (divisore n − 2)"),
    QStringLiteral("Coefficiente di determinazione R²"),
    QStringLiteral("Gradi di libertà (n − 2)"),
    QStringLiteral("Valore critico t"),
};

const QString kNoDegreesOfFreedomNote =
    QStringLiteral("Con 2 coppie non restano gradi di libertà (n − 2 = 0): servono almeno 3 "
                   "coppie.");

QString ShownFigure(const FigureText& figure, QChar separator) {
    return figure ? QString(*figure).replace(u'.', separator) : QStringLiteral("—");
}

QString ShownInterval(const FigureText& low, const FigureText& high, QChar separator) {
    if (!low || !high) {
        return ShownFigure(std::nullopt, separator);
    }
    return u'[' + ShownFigure(low, separator) + QStringLiteral("; ") +
           ShownFigure(high, separator) + u']';
}

QString UncertaintyNoteText(UncertaintyNote note) {
    switch (note) {
    case UncertaintyNote::NoDegreesOfFreedom:
        return kNoDegreesOfFreedomNote;
    case UncertaintyNote::PerfectFit:
        return QStringLiteral("Adattamento perfetto: i residui sono tutti nulli, t e valore p non "
                              "sono definiti.");
    case UncertaintyNote::None:
        break;
    }
    return {};
}

QString MeanIntervalCaption(ConfidenceLevel level) {
    return QStringLiteral("Intervallo di confidenza al %1 per la media di Y:")
        .arg(LevelText(level));
}

QString NewIntervalCaption(ConfidenceLevel level) {
    return QStringLiteral("Intervallo di previsione al %1 per un nuovo Y:").arg(LevelText(level));
}

std::array<QString, kCoefficientColumns>
ShownCoefficient(const QString& estimate, const CoefficientUncertainty& figures, QChar separator) {
    return {estimate, ShownFigure(figures.standardError, separator),
            ShownFigure(figures.t, separator), ShownFigure(figures.p, separator),
            ShownInterval(figures.low, figures.high, separator)};
}

std::array<QString, kUncertaintySummaries> ShownSummaries(const UncertaintyFigures& figures,
                                                          QChar separator) {
    return {ShownFigure(figures.s, separator), ShownFigure(figures.rSquared, separator),
            figures.degreesOfFreedom, ShownFigure(figures.criticalT, separator)};
}

} // namespace qb
