#pragma once

#include "TabPage.h"
#include "engine/Statistics.h"

#include <array>

class QLabel;

namespace qb {

class Analysis;
class ResultLabel;

// Page "2. Statistiche": the eleven result labels with their symbols and headings. It shows the
// Analysis's result captions and has no input.
class StatisticsPage final : public TabPage {
    Q_OBJECT
public:
    StatisticsPage(Analysis& analysis, QWidget* parent = nullptr);

    ResultLabel* Lab_Ris(int i) const { return results_[i]; }

private:
    QLabel* Heading(const QString& text, int left, int top, int width);
    void ShowCaptions();

    Analysis& analysis_;
    std::array<ResultLabel*, kFigureCount> results_{};
};

} // namespace qb
