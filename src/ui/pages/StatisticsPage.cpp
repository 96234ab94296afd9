#include "StatisticsPage.h"

#include "FixedGround.h"
#include "ResultLabel.h"
#include "SymbolLabel.h"
#include "engine/StatisticsCaptions.h"
#include "model/Analysis.h"

#include <QLabel>

namespace qb {
namespace {

const QColor kPanelGrey(0xC0, 0xC0, 0xC0);

struct ResultPlace {
    int left;
    int top;
};

// Lab_Ris(0) to Lab_Ris(10): means, deviations, then a, b and r.
constexpr std::array<ResultPlace, kFigureCount> kResultPlaces = {{{3360, 2040},
                                                                  {3360, 2520},
                                                                  {3360, 3000},
                                                                  {3360, 3480},
                                                                  {3360, 3960},
                                                                  {6960, 2040},
                                                                  {6960, 2520},
                                                                  {6960, 3960},
                                                                  {3360, 6360},
                                                                  {3360, 6720},
                                                                  {7080, 6360}}};

struct SymbolPlace {
    SymbolLabel::Symbol symbol;
    int left;
    int top;
};

const std::array<SymbolPlace, 8>& SymbolPlaces() {
    static const std::array<SymbolPlace, 8> places = {{
        {{"X", "", "", true}, 2760, 1950},
        {{"Y", "", "", true}, 2760, 2430},
        {{"X", "2", "", true}, 2760, 2910},
        {{"Y", "2", "", true}, 2760, 3390},
        {{"XY", "", "", true}, 2760, 3870},
        {{QStringLiteral("σ"), "", "x", false}, 6480, 1980},
        {{QStringLiteral("σ"), "", "y", false}, 6480, 2480},
        {{QStringLiteral("σ"), "", "xy", false}, 6480, 3880},
    }};
    return places;
}

template <typename W> W* Grey(W* widget) {
    FixGround(widget, QPalette::Window, kPanelGrey);
    return widget;
}

QFont HeadingFont() {
    // Where the classic bitmap face is missing, a metric-compatible Arial keeps the captions
    // within their labels.
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                   QStringLiteral("Liberation Sans")});
    f.setPointSizeF(9.75);
    f.setBold(true);
    return f;
}

} // namespace

StatisticsPage::StatisticsPage(Analysis& analysis, QWidget* parent)
    : TabPage(parent), analysis_(analysis) {
    // Plain frames, not labels: screen readers skip them instead of announcing empty text.
    Place(Grey(new QFrame(Canvas())), 840, 960, 10455, 3615);
    Place(Grey(new QFrame(Canvas())), 840, 5040, 10455, 2295);
    Heading(QStringLiteral("Media"), 2880, 1440, 2775);
    Heading(QStringLiteral("Scarto quadratico medio"), 6360, 1440, 2895);
    Heading(QStringLiteral("Retta di quantorelle Y= a X + b"), 2640, 5560, 3255);
    Heading(QStringLiteral("Indice di correlazione"), 6720, 5560, 2535);
    Heading(QStringLiteral("a"), 3120, 6360, 240);
    Heading(QStringLiteral("b"), 3120, 6720, 240);
    Heading(QStringLiteral("r"), 6840, 6360, 240);
    for (const SymbolPlace& s : SymbolPlaces()) {
        Place(new SymbolLabel(s.symbol, Canvas()), s.left, s.top, 435, 360);
    }
    for (int i = 0; i < kFigureCount; ++i) {
        ResultLabel* label = Place(new ResultLabel(Canvas()), kResultPlaces[i].left,
                                   kResultPlaces[i].top, 2055, 255);
        label->setObjectName(QStringLiteral("Lab_Ris_%1").arg(i));
        label->setAccessibleName(FigureTitle(Figure(i)));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        results_[i] = label;
    }
    connect(&analysis_, &Analysis::ResultCaptionsChanged, this, &StatisticsPage::ShowCaptions);
    ShowCaptions();
}

QLabel* StatisticsPage::Heading(const QString& text, int left, int top, int width) {
    QLabel* label = Place(Grey(new QLabel(text, Canvas())), left, top, width, 255);
    label->setFont(HeadingFont());
    return label;
}

void StatisticsPage::ShowCaptions() {
    const auto& captions = analysis_.ResultCaptions();
    for (int i = 0; i < kFigureCount; ++i) {
        results_[i]->ShowResult(captions[i]);
    }
}

} // namespace qb
