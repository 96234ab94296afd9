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
    void tableShowsEachRowInUse_data() { CaseTable(__FILE__, "residuals_page.tsv"); }
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
