#include "EntryGridPage.h"

#include "EntryField.h"
#include "FixedGround.h"
#include "model/Analysis.h"
#include "numbers/TextValue.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>

namespace qb {
namespace {

constexpr int kRowsPerHalf = 15;
constexpr int kFirstRowTop = 2520;
constexpr int kRowPitch = 360;
constexpr int kHalfColumns[2][3] = {{1560, 2640, 3840}, {7320, 8400, 9600}};

} // namespace

EntryGridPage::EntryGridPage(Analysis& analysis, QWidget* parent)
    : TabPage(parent), analysis_(analysis) {
    auto* rowCountLabel =
        Place(new QLabel(QStringLiteral("Numero di misure (coppie X,Y):"), Canvas()), 1560, 990,
              2295, 255);
    rowCount_ = Place(new QComboBox(Canvas()), 3840, 960, 855, 315);
    rowCount_->setObjectName(QStringLiteral("Cmb_NumDati"));
    // Under AT-SPI a combo box's name is its current value: screen readers name it by the label
    // it is labelled by. Elsewhere they take the accessible name.
    rowCountLabel->setBuddy(rowCount_);
    rowCount_->setAccessibleName(QStringLiteral("Numero di misure (coppie X,Y)"));
    rowCount_->setAccessibleDescription(
        QStringLiteral("Quante righe della tabella sono in uso, da %1 a %2")
            .arg(kMinRowCount)
            .arg(kRowCapacity));
    rowCount_->view()->setAccessibleName(rowCount_->accessibleName()); // the open drop-down
    rowCount_->setMaxVisibleItems(29);
    // The wheel neither takes the focus nor changes the count of a box the user is not in.
    rowCount_->setFocusPolicy(Qt::StrongFocus);
    rowCount_->installEventFilter(this);
    BuildHeadings();
    for (int i = 0; i < kRowCapacity; ++i) {
        BuildRow(i);
    }
    connect(rowCount_, &QComboBox::activated, this, [this] { Cmb_NumDati_Click(); });
    connect(&analysis_, &Analysis::RowChanged, this, &EntryGridPage::ShowRow);
    connect(&analysis_, &Analysis::RowCountChosen, this, &EntryGridPage::ShowRowCount);
}

void EntryGridPage::BuildHeadings() {
    for (int y : {1800, 2280}) {
        auto* line = Place(new QFrame(Canvas()), 1440, y, 10800 - 1440, kTwipsPerPixel);
        line->setAutoFillBackground(true);
        line->setPalette(QPalette(QColor(0xC0, 0xC0, 0xC0)));
    }
    for (const auto& columns : kHalfColumns) {
        Place(new QLabel(QStringLiteral("Dato"), Canvas()), columns[0], 1920, 615, 255);
        Place(new QLabel(QStringLiteral("Serie X"), Canvas()), columns[1], 1920, 1095, 255);
        Place(new QLabel(QStringLiteral("Serie Y"), Canvas()), columns[2], 1920, 1095, 255);
    }
}

void EntryGridPage::BuildRow(int i) {
    const auto& columns = kHalfColumns[i / kRowsPerHalf];
    const int top = kFirstRowTop + kRowPitch * (i % kRowsPerHalf);
    RowControls& r = rows_[i];
    r.use = Place(new QCheckBox(QStringLiteral("Dato %1:").arg(i + 1), Canvas()), columns[0], top,
                  i < 9 ? 855 : 975, 255);
    r.use->setObjectName(QStringLiteral("Chk_Linea_%1").arg(i));
    r.use->setAccessibleName(QStringLiteral("Dato %1, in uso").arg(i + 1));
    r.use->setAccessibleDescription(
        QStringLiteral("Se spuntato, il dato entra nel calcolo delle statistiche"));
    connect(r.use, &QCheckBox::toggled, this, [this, i](bool on) { analysis_.SetUsed(i, on); });
    r.x = BuildField(Column::X, i, columns[1], top);
    r.y = BuildField(Column::Y, i, columns[2], top);
    // Tab order row by row: check box, X field, Y field.
    if (i > 0) {
        setTabOrder(rows_[i - 1].y, r.use);
    }
    setTabOrder(r.use, r.x);
    setTabOrder(r.x, r.y);
    ShowRow(i);
}

EntryField* EntryGridPage::BuildField(Column column, int i, int left, int top) {
    auto* field = Place(new EntryField(FilterEntryKey, Canvas()), left, top, 1095, 285);
    field->setObjectName(
        QStringLiteral("%1_%2").arg(column == Column::X ? "Txt_X" : "Txt_Y").arg(i));
    field->setAccessibleName(
        QStringLiteral("Dato %1, Serie %2").arg(i + 1).arg(column == Column::X ? "X" : "Y"));
    connect(field, &QLineEdit::textChanged, this,
            [this, column, i](const QString& text) { analysis_.SetText(column, i, text); });
    connect(field, &EntryField::EnterPressed, this,
            [this, column, i] { EnterNavigation(column, i); });
    connect(field, &EntryField::FocusLost, this,
            [this, column, i] { analysis_.NormaliseText(column, i); });
    return field;
}

void EntryGridPage::InitGrid() {
    const BusyScope busy(analysis_);
    rowCount_->clear();
    for (int i = 1; i < kRowCapacity; ++i) {
        rowCount_->addItem(QString::number(i + 1));
    }
    analysis_.ResetRows();
    SelectRowCountEntry(0);
}

void EntryGridPage::SelectRowCountEntry(int index) {
    rowCount_->setCurrentIndex(index);
    Cmb_NumDati_Click();
}

void EntryGridPage::Cmb_NumDati_Click() {
    const auto count = TextValue(rowCount_->currentText());
    if (count) {
        analysis_.ChooseRowCount(int(*count));
    }
}

void EntryGridPage::ShowRowCount(int count) {
    const int index = rowCount_->findText(QString::number(count));
    if (index >= 0 && index != rowCount_->currentIndex()) {
        rowCount_->setCurrentIndex(index);
    }
    // Not while another page is shown: the keys typed there must stay there.
    if (isVisibleTo(window())) {
        Txt_X(0)->setFocus();
    }
}

bool EntryGridPage::eventFilter(QObject* watched, QEvent* e) {
    if (watched == rowCount_ && e->type() == QEvent::Wheel && !rowCount_->hasFocus()) {
        return true;
    }
    return TabPage::eventFilter(watched, e);
}

void EntryGridPage::EnterNavigation(Column column, int i) {
    if (column == Column::X) {
        Txt_Y(i)->setFocus();
    } else if (i < kRowCapacity - 1 && Txt_X(i + 1)->isEnabled()) {
        Txt_X(i + 1)->setFocus();
    } else {
        Txt_X(0)->setFocus();
    }
}

void EntryGridPage::ShowRow(int i) {
    const DataRow& row = analysis_.Row(i);
    RowControls& r = rows_[i];
    r.use->setChecked(row.used);
    r.use->setEnabled(row.active);
    const QColor ground = row.active ? QColor(Qt::white) : palette().color(QPalette::Button);
    for (Column c : {Column::X, Column::Y}) {
        EntryField* field = Field(c, i);
        if (field->text() != row.Text(c).Text()) {
            field->setText(row.Text(c));
            field->setCursorPosition(0); // a long text shows its beginning
        }
        field->setEnabled(row.active);
        FixGround(field, QPalette::Base, ground);
    }
}

} // namespace qb
