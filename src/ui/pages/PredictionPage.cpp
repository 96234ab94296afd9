#include "PredictionPage.h"

#include "EntryField.h"
#include "ResultLabel.h"
#include "UncertaintyPage.h"
#include "model/Analysis.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace qb {

PredictionPage::PredictionPage(Analysis& analysis, QWidget* parent)
    : TabPage(parent), analysis_(analysis) {
    Place(new QLabel(QStringLiteral("Valore di X:"), Canvas()), 1560, 1560, 1335, 255);
    input_ = Place(new EntryField(FilterEntryKey, Canvas()), 2520, 1560, 2415, 285);
    input_->setObjectName(QStringLiteral("Txt_X_Prev"));
    input_->setAccessibleName(QStringLiteral("Valore di X"));
    input_->setAccessibleDescription(
        QStringLiteral("Invio o Calcola mostrano il valore previsto di Y sulla retta"));
    predict_ = Place(new QPushButton(QStringLiteral("Calcola"), Canvas()), 5160, 1560, 1215, 855);
    predict_->setObjectName(QStringLiteral("Cmd_Prevedi"));
    predict_->setAccessibleDescription(
        QStringLiteral("Calcola il valore previsto di Y e lo aggiunge all'elenco"));
    Place(new QLabel(QStringLiteral("Valore previsto di Y:"), Canvas()), 1560, 2160, 1455, 255);
    // 20 px high, not 19: a multiple of 4 logical pixels is a whole number of device pixels at
    // the scales 1.25, 1.5 and 2, so the sunken panel's bottom edge is never rounded away.
    result_ = Place(new ResultLabel(Canvas()), 3120, 2160, 1815, 300);
    result_->setObjectName(QStringLiteral("Lab_Y_Prev"));
    result_->setAccessibleName(QStringLiteral("Valore previsto di Y"));
    meanCaption_ = Place(new QLabel(Canvas()), 1560, 2760, 6240, 255);
    meanInterval_ = Place(new ResultLabel(Canvas()), 1560, 3060, 3375, 300);
    meanInterval_->setObjectName(QStringLiteral("Lab_Media"));
    newCaption_ = Place(new QLabel(Canvas()), 1560, 3600, 6240, 255);
    newInterval_ = Place(new ResultLabel(Canvas()), 1560, 3900, 3375, 300);
    newInterval_->setObjectName(QStringLiteral("Lab_Nuovo"));
    ShowPrediction({});
    Place(new QLabel(QStringLiteral("Elenco Dati Analizzati:"), Canvas()), 7920, 720, 3735, 255);
    history_ = Place(new QListWidget(Canvas()), 7920, 1080, 3735, 6105);
    history_->setObjectName(QStringLiteral("Lst_Storico"));
    history_->setAccessibleName(QStringLiteral("Elenco Dati Analizzati"));
    history_->setUniformItemSizes(true); // keeps long histories fast
    clear_ = Place(new QPushButton(QStringLiteral("Cancella"), Canvas()), 7920, 7440, 3735, 375);
    clear_->setObjectName(QStringLiteral("Cmd_Cancella"));
    clear_->setAccessibleDescription(
        QStringLiteral("Svuota il valore di X, il risultato e l'elenco dei dati analizzati"));
    setTabOrder(input_, predict_);
    setTabOrder(predict_, result_);
    setTabOrder(result_, meanInterval_);
    setTabOrder(meanInterval_, newInterval_);
    setTabOrder(newInterval_, history_);
    setTabOrder(history_, clear_);

    const auto requestPrediction = [this] { emit PredictRequested(input_->text()); };
    connect(predict_, &QPushButton::clicked, this, requestPrediction);
    connect(input_, &EntryField::EnterPressed, this, requestPrediction);
    connect(input_, &QLineEdit::textChanged, this, [this] { ShowPrediction({}); });
    connect(clear_, &QPushButton::clicked, this, &PredictionPage::ClearRequested);
    connect(&analysis_, &Analysis::HistoryChanged, this, &PredictionPage::ShowHistory);
    connect(&analysis_, &Analysis::UncertaintyChanged, this, &PredictionPage::ShowIntervals);
}

void PredictionPage::ClearPredictionPage() {
    input_->clear();
    ShowPrediction({});
}

void PredictionPage::PrepareForInput() {
    ShowPrediction({});
    input_->clear();
    input_->setFocus();
}

void PredictionPage::ShowPrediction(const QString& y) {
    result_->ShowResult(y);
    ShowIntervals();
}

void PredictionPage::ShowIntervals() {
    meanCaption_->setText(MeanIntervalCaption(analysis_.Level()));
    newCaption_->setText(NewIntervalCaption(analysis_.Level()));
    meanInterval_->setAccessibleName(meanCaption_->text().chopped(1));
    newInterval_->setAccessibleName(newCaption_->text().chopped(1));
    if (result_->Figure().isEmpty()) {
        meanInterval_->ShowResult({});
        newInterval_->ShowResult({});
        return;
    }
    // Undefined intervals (no degrees of freedom) read as "—".
    const PredictionIntervals i = analysis_.IntervalsAtPrediction().value_or(PredictionIntervals{});
    const QChar separator = analysis_.DecimalSeparator();
    meanInterval_->ShowResult(ShownInterval(i.meanLow, i.meanHigh, separator));
    newInterval_->ShowResult(ShownInterval(i.newLow, i.newHigh, separator));
}

void PredictionPage::ShowHistory() {
    const QStringList& items = analysis_.History();
    if (history_->count() == items.size() - 1) {
        history_->addItem(items.last());
    } else {
        history_->clear();
        history_->addItems(items);
    }
    if (history_->count() > 0) {
        // Selected, not made current: a current item tells screen readers it has the focus even
        // while the keyboard is elsewhere.
        QListWidgetItem* last = history_->item(history_->count() - 1);
        if (history_->hasFocus()) {
            history_->setCurrentItem(last);
        } else {
            history_->selectionModel()->setCurrentIndex({}, QItemSelectionModel::Clear);
            last->setSelected(true);
        }
        history_->scrollToItem(last);
    }
}

} // namespace qb
