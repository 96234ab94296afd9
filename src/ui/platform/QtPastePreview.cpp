#include "QtPastePreview.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qb {
namespace {

void ShowPairs(QTableWidget* table, const PasteCandidate& candidate) {
    table->setRowCount(int(candidate.pairs.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const auto& [x, y] = candidate.pairs[row];
        for (const auto& [column, text] : {std::pair{0, x}, std::pair{1, y}}) {
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, item);
        }
    }
}

QTableWidget* PairsTable(QWidget* parent) {
    auto* table = new QTableWidget(0, 2, parent);
    table->setObjectName(QStringLiteral("Tbl_Coppie"));
    table->setAccessibleName(QStringLiteral("Coppie lette dagli appunti"));
    table->setHorizontalHeaderLabels({QStringLiteral("X"), QStringLiteral("Y")});
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->setMinimumHeight(table->verticalHeader()->defaultSectionSize() * 9);
    return table;
}

} // namespace

QString ReadingText(ColumnSeparator columns, DecimalMark decimals) {
    static const char* const kColumns[] = {"tabulazioni", "punti e virgola", "virgole", "spazi"};
    return QStringLiteral("Colonne separate da ") + QString::fromUtf8(kColumns[int(columns)]) +
           (decimals == DecimalMark::Comma
                ? QStringLiteral(", virgola decimale: 1.234 = milleduecentotrentaquattro")
                : QStringLiteral(", punto decimale: 1.234 = uno virgola duecentotrentaquattro"));
}

std::optional<qsizetype> QtPastePreview::Choose(const QList<PasteCandidate>& candidates) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("Frm_Anteprima"));
    dialog.setWindowTitle(QStringLiteral("Incolla coppie"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* intro = new QLabel(QStringLiteral("I numeri degli appunti si possono leggere in più di "
                                            "un modo: scegliere quello giusto e controllare le "
                                            "coppie."),
                             &dialog);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* readings = new QButtonGroup(&dialog);
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        auto* choice =
            new QRadioButton(ReadingText(candidates[i].columns, candidates[i].decimals), &dialog);
        choice->setObjectName(QStringLiteral("Opt_Lettura%1").arg(i));
        readings->addButton(choice, int(i));
        layout->addWidget(choice);
    }
    QTableWidget* table = PairsTable(&dialog);
    layout->addWidget(table);
    QObject::connect(readings, &QButtonGroup::idToggled, table, [&](int id, bool checked) {
        if (checked) {
            ShowPairs(table, candidates[id]);
        }
    });
    readings->button(0)->setChecked(true);
    readings->button(0)->setFocus();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return readings->checkedId();
}

} // namespace qb
