// figures [--level 90|95|99 [--at X]] [--residuals] FILE: one "X Y" pair per line, "X Y 0" for a
// row left out of the fit; prints the eleven figures as the statistics page shows them, or
// "FAIL <step>" when the engine rejects the data. With a level, then the uncertainty figures, and
// with --at the prediction at X and its two intervals; with --residuals, then the residuals page's
// lines and the fit with every row; each as shown with a point, or "undefined".

#include "engine/DataSet.h"
#include "engine/Engine.h"
#include "engine/Residuals.h"
#include "engine/Statistics.h"
#include "engine/StatisticsCaptions.h"
#include "engine/Uncertainty.h"
#include "numbers/NumberPattern.h"
#include "numbers/TextValue.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

struct Options {
    std::optional<qb::ConfidenceLevel> level;
    std::optional<mpq_class> at;
    bool residuals = false;
    const char* file = nullptr;
};

std::optional<Options> ReadOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--level" && i + 1 < argc) {
            const std::string level = argv[++i];
            if (level == "90") {
                options.level = qb::ConfidenceLevel::Percent90;
            } else if (level == "95") {
                options.level = qb::ConfidenceLevel::Percent95;
            } else if (level == "99") {
                options.level = qb::ConfidenceLevel::Percent99;
            } else {
                return std::nullopt;
            }
        } else if (arg == "--at" && i + 1 < argc) {
            const auto x = qb::ExactTextValue(QString::fromStdString(argv[++i]));
            if (!x) {
                return std::nullopt;
            }
            options.at = x->Rational();
        } else if (arg == "--residuals") {
            options.residuals = true;
        } else if (options.file == nullptr) {
            options.file = argv[i];
        } else {
            return std::nullopt;
        }
    }
    const bool complete = options.file != nullptr && (options.level || !options.at);
    return complete ? std::optional(options) : std::nullopt;
}

void Print(const char* name, const qb::FigureText& text) {
    std::cout << name << '=' << (text ? text->toStdString() : "undefined") << '\n';
}

void PrintUncertainty(const qb::DataSet& rows, const qb::Statistics& stats,
                      const Options& options) {
    const auto uncertainty = qb::Uncertainty::Of(rows, *options.level);
    const qb::UncertaintyFigures f = uncertainty->Figures();
    Print("NU", f.degreesOfFreedom);
    Print("S", f.s);
    Print("R2", f.rSquared);
    Print("SEA", f.slope.standardError);
    Print("SEB", f.intercept.standardError);
    Print("TA", f.slope.t);
    Print("TB", f.intercept.t);
    Print("PA", f.slope.p);
    Print("PB", f.intercept.p);
    Print("TC", f.criticalT);
    Print("ALOW", f.slope.low);
    Print("AHIGH", f.slope.high);
    Print("BLOW", f.intercept.low);
    Print("BHIGH", f.intercept.high);
    if (!options.at) {
        return;
    }
    const auto y =
        qb::PredictY(*options.at, stats[qb::Figure::A].Rational(), stats[qb::Figure::B].Rational());
    const qb::PredictionIntervals p = y ? uncertainty->At(*options.at) : qb::PredictionIntervals{};
    Print("YHAT", y ? std::optional(qb::FormatNumber(qb::ExactNumber(*y), qb::kMeanPattern, u'.'))
                    : std::nullopt);
    Print("MEANLOW", p.meanLow);
    Print("MEANHIGH", p.meanHigh);
    Print("NEWLOW", p.newLow);
    Print("NEWHIGH", p.newHigh);
}

std::string ShownOrUndefined(const qb::FigureText& text) {
    return text ? text->toStdString() : "undefined";
}

void PrintResiduals(const qb::DataSet& rows) {
    const auto figures = qb::ResidualsOf(rows);
    if (!figures) {
        return; // only after figures that failed, which printed FAIL instead
    }
    for (const qb::ResidualRow& r : figures->rows) {
        std::cout << "ROW" << r.row + 1 << '=' << ShownOrUndefined(r.fitted) << ';'
                  << ShownOrUndefined(r.residual) << ';' << ShownOrUndefined(r.standardized) << ';'
                  << ShownOrUndefined(r.leverage) << ';' << ShownOrUndefined(r.cook) << ';'
                  << qb::ResidualStateText(r).toStdString() << '\n';
    }
    if (figures->withAll) {
        const qb::FitWithAll& all = *figures->withAll;
        std::cout << "WITHALL=" << all.a.toStdString() << ';' << all.b.toStdString() << ';'
                  << all.r.toStdString() << '\n';
    }
}

} // namespace

int main(int argc, char** argv) {
    const auto options = ReadOptions(argc, argv);
    if (!options) {
        std::cerr << "usage: figures [--level 90|95|99 [--at X]] [--residuals] FILE\n  FILE: one X "
                     "and Y text per line, a third column 0 leaves the row out of the fit, "
                  << qb::kMinRowCount << " to " << qb::kRowCapacity << " lines\n";
        return 2;
    }
    std::ifstream in(options->file);
    if (!in) {
        std::cerr << "figures: cannot read " << options->file << '\n';
        return 2;
    }
    qb::DataSet rows;
    int count = 0;
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        std::istringstream fields(line);
        std::string x, y, use, extra;
        if (!(fields >> x)) {
            continue; // blank line
        }
        if (!(fields >> y) || ((fields >> use) && use != "0") || (fields >> extra)) {
            std::cerr << "figures: line " << lineNumber << " is not an X and a Y text\n";
            return 2;
        }
        if (count == qb::kRowCapacity) {
            std::cerr << "figures: more than " << qb::kRowCapacity << " rows\n";
            return 2;
        }
        rows[count++] = {QString::fromStdString(x), QString::fromStdString(y), use.empty(), true};
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
    if (options->level) {
        PrintUncertainty(rows, stats, *options);
    }
    if (options->residuals) {
        PrintResiduals(rows);
    }
    return 0;
}
