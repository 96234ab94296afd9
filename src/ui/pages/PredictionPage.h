#pragma once

#include "TabPage.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace qb {

class Analysis;
class EntryField;
class MessageBox;
class ResultLabel;

// Page "4. Previsioni": a typed X gives the predicted Y, which joins the history.
class PredictionPage final : public TabPage {
    Q_OBJECT
public:
    PredictionPage(Analysis& analysis, MessageBox& messages, QWidget* parent = nullptr);

    // Field, result and history emptied.
    void ClearPredictionPage();
    // What a switch to the page does once the statistics are up to date.
    void PrepareForInput();

    EntryField* Txt_X_Prev() const { return input_; }
    ResultLabel* Lab_Y_Prev() const { return result_; }
    QListWidget* Lst_Storico() const { return history_; }
    QPushButton* Cmd_Prevedi() const { return predict_; }
    QPushButton* Cmd_Cancella() const { return clear_; }

private:
    void Predict();
    void ShowHistory();

    Analysis& analysis_;
    MessageBox& messages_;
    EntryField* input_ = nullptr;
    ResultLabel* result_ = nullptr;
    QListWidget* history_ = nullptr;
    QPushButton* predict_ = nullptr;
    QPushButton* clear_ = nullptr;
};

} // namespace qb
