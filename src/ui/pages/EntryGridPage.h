#pragma once

#include "TabPage.h"
#include "engine/DataSet.h"

#include <array>

class QCheckBox;
class QComboBox;

namespace qb {

class Analysis;
class EntryField;

// Page "1. Ingresso Dati Rilevati": the row count and the 30 rows of check box, X and Y field.
// It shows the Analysis and turns the user's edits into its operations.
class EntryGridPage final : public TabPage {
    Q_OBJECT
public:
    EntryGridPage(Analysis& analysis, QWidget* parent = nullptr);

    // Builds the row-count entries and puts every row in its initial state, two rows active.
    void InitGrid();

    QComboBox* Cmb_NumDati() const { return rowCount_; }
    QCheckBox* Chk_Linea(int i) const { return rows_[i].use; }
    EntryField* Txt_X(int i) const { return rows_[i].x; }
    EntryField* Txt_Y(int i) const { return rows_[i].y; }
    EntryField* Field(Column c, int i) const { return c == Column::X ? Txt_X(i) : Txt_Y(i); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct RowControls {
        QCheckBox* use = nullptr;
        EntryField* x = nullptr;
        EntryField* y = nullptr;
    };

    void BuildHeadings();
    void BuildRow(int i);
    EntryField* BuildField(Column column, int i, int left, int top);
    void SelectRowCountEntry(int index);
    void Cmb_NumDati_Click();
    void EnterNavigation(Column column, int i);
    void ShowRow(int i);
    void ShowRowCount(int count);

    Analysis& analysis_;
    QComboBox* rowCount_ = nullptr;
    std::array<RowControls, kRowCapacity> rows_;
};

} // namespace qb
