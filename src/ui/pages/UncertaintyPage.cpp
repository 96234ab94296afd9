#include "UncertaintyPage.h"

#include "ResultLabel.h"
#include "model/Analysis.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace qb {
namespace {

constexpr std::array kLevels = {ConfidenceLevel::Percent90, ConfidenceLevel::Percent95,
                                ConfidenceLevel::Percent99};

struct TableColumn {
    int left;
    int width;
};

constexpr std::array<TableColumn, UncertaintyPage::kColumns> kColumnPlaces = {{
    {2520, 1560},
    {4140, 1560},
    {5760, 1200},
    {7020, 1260},
    {8340, 2955},
}};

constexpr int kRowHeight = 300;
constexpr int kTableTop = 1560;
constexpr int kSummaryTop = 2880;
constexpr int kLineStep = 420;

} // namespace

UncertaintyPage::UncertaintyPage(Analysis& analysis, QWidget* parent)
    : TabPage(parent), analysis_(analysis) {
    auto* levelCaption =
        Place(new QLabel(QStringLiteral("Livello di confidenza:"), Canvas()), 840, 840, 1980, 255);
    level_ = Place(new QComboBox(Canvas()), 2880, 795, 1200, 345);
    level_->setObjectName(QStringLiteral("Cmb_Livello"));
    level_->setAccessibleName(QStringLiteral("Livello di confidenza"));
    levelCaption->setBuddy(level_);
    for (const ConfidenceLevel level : kLevels) {
        level_->addItem(LevelText(level));
    }
    bands_ = Place(new QCheckBox(QStringLiteral("Mostra le bande sul grafico"), Canvas()), 4500,
                   795, 4200, 345);
    bands_->setObjectName(QStringLiteral("Chk_Bande"));
    bands_->setAccessibleName(bands_->text());
    for (int c = 0; c < kColumns; ++c) {
        Place(new QLabel(kCoefficientHeadings[c], Canvas()), kColumnPlaces[c].left,
              kTableTop - kRowHeight - 60, kColumnPlaces[c].width, 255)
            ->setAlignment(Qt::AlignCenter);
    }
    for (int row = 0; row < 2; ++row) {
        const int top = kTableTop + row * kLineStep;
        Place(new QLabel(kCoefficientNames[row], Canvas()), 840, top, 1620, kRowHeight);
        for (int c = 0; c < kColumns; ++c) {
            table_[row][c] =
                Result(kCoefficientNames[row] + QStringLiteral(", ") + kCoefficientHeadings[c],
                       kColumnPlaces[c].left, top, kColumnPlaces[c].width);
        }
    }
    for (int i = 0; i < kSummaries; ++i) {
        const int top = kSummaryTop + i * kLineStep;
        Place(new QLabel(kSummaryNames[i], Canvas()), 840, top, 5520, kRowHeight);
        summaries_[i] = Result(kSummaryNames[i], 6480, top, 1800);
    }
    note_ =
        Place(new QLabel(Canvas()), 840, kSummaryTop + kSummaries * kLineStep + 120, 10455, 510);
    note_->setObjectName(QStringLiteral("Lab_Nota"));
    note_->setWordWrap(true);
    connect(level_, &QComboBox::activated, this,
            [this](int index) { emit LevelChosen(kLevels[index]); });
    connect(&analysis_, &Analysis::UncertaintyChanged, this, &UncertaintyPage::ShowFigures);
    // Only a user's click is a choice; the model's state is shown without one.
    connect(bands_, &QCheckBox::clicked, this, [this](bool checked) {
        emit BandsChosen(checked ? BandsDisplay::Shown : BandsDisplay::Hidden);
    });
    connect(&analysis_, &Analysis::BandsChanged, this,
            [this] { bands_->setChecked(analysis_.Bands() == BandsDisplay::Shown); });
    ShowFigures();
}

ResultLabel* UncertaintyPage::Result(const QString& name, int left, int top, int width) {
    auto* label = Place(new ResultLabel(Canvas()), left, top, width, kRowHeight);
    label->setAccessibleName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

void UncertaintyPage::ShowFigures() {
    level_->setCurrentIndex(int(std::ranges::find(kLevels, analysis_.Level()) - kLevels.begin()));
    const auto& uncertainty = analysis_.LineUncertainty();
    if (!uncertainty) {
        for (auto& row : table_) {
            for (ResultLabel* label : row) {
                label->ShowResult({});
            }
        }
        for (ResultLabel* label : summaries_) {
            label->ShowResult({});
        }
        note_->clear();
        return;
    }
    const UncertaintyFigures f = uncertainty->Figures();
    const QChar separator = analysis_.DecimalSeparator();
    const auto& captions = analysis_.ResultCaptions();
    const std::array<const CoefficientUncertainty*, 2> coefficients = {&f.slope, &f.intercept};
    const std::array<int, 2> estimates = {int(Figure::A), int(Figure::B)};
    for (int row = 0; row < 2; ++row) {
        const auto shown =
            ShownCoefficient(captions[estimates[row]], *coefficients[row], separator);
        for (int column = 0; column < kColumns; ++column) {
            table_[row][column]->ShowResult(shown[column]);
        }
    }
    const auto summaries = ShownSummaries(f, separator);
    for (int i = 0; i < kSummaries; ++i) {
        summaries_[i]->ShowResult(summaries[i]);
    }
    note_->setText(UncertaintyNoteText(f.note));
}

} // namespace qb
