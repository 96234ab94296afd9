// Page "6. Residui" through the real window: the table a user and a screen reader read, the note,
// the line with the excluded rows, the plot's description, and the failure path that empties it.
#include "ProgramUnderTest.h"
#include "pages/ChartView.h"
#include "pages/ResidualsPage.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QTableWidget>

using namespace qb;

class ResidualsPageTest : public QObject {
    Q_OBJECT
private slots:
    // Separator | rows, "!" before one left out | each state, "*" when coloured | the cells of
    // one line | a cell's accessible name | the note's start | the comparison | the plot's marks.
    void tableShowsEachRowInUse_data() {
        CaseTable({
            {"outlier",
             ".|1 2;2 4;3 6;4 8;5 30;6 12;7 14;8 16;!9 50|in uso;in uso;in uso;in "
             "uso;anomalo*;in uso;in uso;in uso;esclusa, anomalo*|5 5.00000 "
             "30.00000 12.61905 17.38095 2.44949 0.13095 0.45205 anomalo|Riga 9, "
             "Residuo: 28.42857||Senza le righe escluse: a = 2.23809524, b = 1.42857143, r "
             "= 0.61402508\nCon le righe escluse: a = 4.13333333, b = -4.88888889, r = "
             "0.73928363|dato 5 (residuo 17.38095, anomalo), dato 9 (residuo 28.42857, "
             "esclusa, anomalo)"},
            {"influential", ",|1 1,1;2 1,9;3 3,2;4 3,9;5 5,1;20 14|in uso;in uso;in uso;in uso;in "
                            "uso;influente*|6 20,00000 14,00000 14,20066 -0,20066 -1,94312 "
                            "0,96678 54,93648 influente|Riga 1, X: 1,00000|||dato 6"},
            {"perfect fit", ",|1 3;2 5;4 9|in uso;in uso;in uso|2 2,00000 5,00000 5,00000 "
                            "0,00000 — 0,35714 — in uso|Riga 2, Distanza di Cook: —|Adattamento "
                            "perfetto||nessun punto"},
            {"two rows", ".|1 2;3 5|in uso;in uso|1 1.00000 2.00000 2.00000 0.00000 — 1.00000 — "
                         "in uso|Riga 2, Leva: 1.00000|Con 2 coppie||nessun punto"},
        });
    }
    void tableShowsEachRowInUse() {
        const QStringList c = CaseFields();
        ProgramUnderTest p(c[0][0]);
        const QStringList rows = c[1].split(u';');
        QList<std::pair<QString, QString>> pairs;
        for (const QString& row : rows) {
            pairs.append({row.section(u' ', 0, 0).remove(u'!'), row.section(u' ', 1)});
        }
        p.ChooseRowCount(int(rows.size()));
        p.EnterRows(pairs);
        for (int i = 0; i < rows.size(); ++i) {
            p.grid().Chk_Linea(i)->setChecked(!rows[i].startsWith(u'!'));
        }
        ResidualsPage& page = *p.window.ResidualPage();
        const QTableWidget& table = *page.Grd_Residui();
        p.ClickTab(MainWindow::Page::ResidualsTab);
        QStringList states, line;
        for (int r = 0; r < table.rowCount(); ++r) {
            const QTableWidgetItem* state = table.item(r, ResidualsPage::kColumns - 1);
            states << state->text() + (state->background().style() == Qt::NoBrush &&
                                               state->foreground().style() == Qt::NoBrush
                                           ? ""
                                           : "*");
        }
        const int shown = c[3].section(u' ', 0, 0).toInt() - 1;
        for (int column = 0; column < ResidualsPage::kColumns; ++column) {
            line << table.item(shown, column)->text();
        }
        QCOMPARE(states.join(u';'), c[2]);
        QCOMPARE(line.join(u' '), c[3]);
        QAccessibleTableInterface* cells =
            QAccessible::queryAccessibleInterface(page.Grd_Residui())->tableInterface();
        QStringList names;
        for (int r = 0; r < table.rowCount(); ++r) {
            for (int column = 0; column < ResidualsPage::kColumns; ++column) {
                names << cells->cellAt(r, column)->text(QAccessible::Name);
            }
        }
        QVERIFY2(names.contains(c[4]), qPrintable(names.join(u'\n')));
        QCOMPARE(page.Note()->text().left(c[5].size()), c[5]);
        QCOMPARE(page.WithAll()->text(), c[6]);
        QVERIFY2(page.picResidui()->accessibleDescription().contains(c[7]),
                 qPrintable(page.picResidui()->accessibleDescription()));
        // Every row left out: no figures, and the page empties with the others.
        p.ClickTab(MainWindow::Page::DataTab);
        for (int i = 0; i < rows.size(); ++i) {
            p.grid().Chk_Linea(i)->setChecked(false);
        }
        p.ClickTab(MainWindow::Page::ResidualsTab);
        QCOMPARE(table.rowCount(), 0);
        QVERIFY(page.Note()->text().isEmpty() && page.WithAll()->text().isEmpty());
        QCOMPARE(page.picResidui()->accessibleDescription(), QStringLiteral("Grafico vuoto"));
    }
};

static const bool kRegistered = RegisterGuiTest<ResidualsPageTest>();
#include "test_residuals_page.moc"
