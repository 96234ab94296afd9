#pragma once

#include "TabPage.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace qb {

class Analysis;
class EntryField;
class ResultLabel;

// Page "4. Previsioni": a typed X gives the predicted Y, which joins the history.
class PredictionPage final : public TabPage {
    Q_OBJECT
public:
    explicit PredictionPage(Analysis& analysis, QWidget* parent = nullptr);

    // Field and result emptied; the history shows the Analysis's.
    void ClearPredictionPage();
    // The predicted Y, and the intervals around it while it is shown.
    void ShowPrediction(const QString& y);
    // What a switch to the page does once the statistics are up to date.
    void PrepareForInput();

    EntryField* Txt_X_Prev() const { return input_; }
    ResultLabel* Lab_Y_Prev() const { return result_; }
    ResultLabel* Lab_Media() const { return meanInterval_; }
    ResultLabel* Lab_Nuovo() const { return newInterval_; }
    QListWidget* Lst_Storico() const { return history_; }
    QPushButton* Cmd_Prevedi() const { return predict_; }
    QPushButton* Cmd_Cancella() const { return clear_; }

signals:
    // "Calcola", or Enter in the field.
    void PredictRequested(const QString& xText);
    // "Cancella".
    void ClearRequested();

private:
    void ShowHistory();
    void ShowIntervals();

    Analysis& analysis_;
    EntryField* input_ = nullptr;
    ResultLabel* result_ = nullptr;
    QLabel* meanCaption_ = nullptr;
    ResultLabel* meanInterval_ = nullptr;
    QLabel* newCaption_ = nullptr;
    ResultLabel* newInterval_ = nullptr;
    QListWidget* history_ = nullptr;
    QPushButton* predict_ = nullptr;
    QPushButton* clear_ = nullptr;
};

} // namespace qb
