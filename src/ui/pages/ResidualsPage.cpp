#include "ResidualsPage.h"

#include "ChartView.h"
#include "FixedGround.h"
#include "UncertaintyPage.h"
#include "chart/ResidualPlot.h"
#include "model/Analysis.h"
#include "report/ResidualsText.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <array>

namespace qb {
namespace {

constexpr int kStateColumn = ResidualsPage::kColumns - 1;

// A marked state is told by its word; the colour only repeats it, dark on light under any
// palette (at least 7:1).
struct StateColours {
    QColor text;
    QColor ground;
};
const StateColours kOutlierColours{QColor(0x9c, 0x00, 0x06), QColor(0xff, 0xc7, 0xce)};
const StateColours kInfluentialColours{QColor(0x5c, 0x3a, 0x00), QColor(0xff, 0xeb, 0x9c)};
const StateColours kExcludedColours{QColor(0xb0, 0x00, 0x00), QColor(Qt::white)};

} // namespace

ResidualsPage::ResidualsPage(Analysis& analysis, QWidget* parent)
    : TabPage(parent), analysis_(analysis),
      table_(Place(new QTableWidget(0, kColumns, Canvas()), 430, 600, 11355, 3420)),
      note_(Place(new QLabel(Canvas()), 430, 4080, 11355, 480)),
      withAll_(Place(new QLabel(Canvas()), 430, 4560, 11355, 480)),
      plot_(Place(new ChartView(TwipsRect(0, 0, 11355, 2760).size(), Canvas()), 430, 5100, 11355,
                  2760)) {
    table_->setObjectName(QStringLiteral("Grd_Residui"));
    table_->setAccessibleName(QStringLiteral("Residui"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false); // Tab leaves the table; the arrows move within it
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    FixGround(table_, QPalette::Base, Qt::white);
    for (int c = 0; c < kColumns; ++c) {
        table_->setHorizontalHeaderItem(c, new QTableWidgetItem(kResidualHeadings[c]));
    }
    for (QLabel* label : {note_, withAll_}) {
        label->setWordWrap(true);
    }
    note_->setObjectName(QStringLiteral("Lab_NotaResidui"));
    withAll_->setObjectName(QStringLiteral("Lab_ConTutte"));
    plot_->setObjectName(QStringLiteral("picResidui"));
    plot_->setAccessibleName(QStringLiteral("Grafico dei residui"));
    connect(plot_, &ChartView::DrawingChanged, this, &ResidualsPage::Describe);
    connect(&analysis_, &Analysis::ResidualsChanged, this, &ResidualsPage::ShowFigures);
    ShowFigures();
    Describe();
}

void ResidualsPage::ShowFigures() {
    const auto& figures = analysis_.Residuals();
    table_->clearContents();
    table_->setRowCount(figures ? int(figures->rows.size()) : 0);
    note_->clear();
    withAll_->clear();
    if (!figures) {
        return;
    }
    const QChar separator = analysis_.DecimalSeparator();
    for (int line = 0; line < int(figures->rows.size()); ++line) {
        ShowRow(line, figures->rows[size_t(line)], separator);
    }
    note_->setText(ResidualNoteText(*figures));
    if (const auto& all = figures->withAll) {
        const auto& captions = analysis_.ResultCaptions();
        withAll_->setText(QStringLiteral("Senza le righe escluse: ") +
                          FitText(captions[int(Figure::A)], captions[int(Figure::B)],
                                  captions[int(Figure::R)], separator) +
                          QStringLiteral("\nCon le righe escluse: ") +
                          FitText(all->a, all->b, all->r, separator));
    }
}

void ResidualsPage::ShowRow(int line, const ResidualRow& row, QChar separator) {
    const auto cells = ResidualCells(row, analysis_.Rows(), separator);
    for (int c = 0; c < kColumns; ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setTextAlignment(c == kStateColumn ? Qt::AlignLeft | Qt::AlignVCenter
                                                 : Qt::AlignRight | Qt::AlignVCenter);
        // The row's number and the column first, then the value, which is all a cell can say.
        item->setData(Qt::AccessibleTextRole,
                      QStringLiteral("Riga %1, %2: %3")
                          .arg(row.row + 1)
                          .arg(QString(kResidualHeadings[c]).replace(u'\n', u' '), cells[c]));
        item->setToolTip(cells[c]);
        table_->setItem(line, c, item);
    }
    const StateColours* colours = row.outlier       ? &kOutlierColours
                                  : row.influential ? &kInfluentialColours
                                  : row.excluded    ? &kExcludedColours
                                                    : nullptr;
    if (colours) {
        QTableWidgetItem* state = table_->item(line, kStateColumn);
        state->setForeground(colours->text);
        state->setBackground(colours->ground);
        QFont bold = table_->font();
        bold.setBold(true);
        state->setFont(bold);
    }
}

void ResidualsPage::Describe() {
    plot_->setAccessibleDescription(ResidualPlotDescription(plot_->Surface(), analysis_.Residuals(),
                                                            analysis_.DecimalSeparator()));
}

} // namespace qb
