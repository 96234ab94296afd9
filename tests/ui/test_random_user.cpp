// A seeded random user: keys of every kind into every field, row counts, check boxes, tab
// switches, predictions, "Cancella", "Nuovo", files saved and opened (bad ones included), the
// invariants checked after each action. QB_RANDOM_SEED sets the seed, QB_RANDOM_ACTIONS the count.
#include "ProgramUnderTest.h"
#include "engine/Engine.h"
#include "engine/StatisticsCaptions.h"
#include "pages/PredictionPage.h"
#include "pages/ResidualsPage.h"
#include "pages/ResultLabel.h"
#include "pages/StatisticsPage.h"
#include "pages/UncertaintyPage.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace qb;

constexpr Qt::Key kKeys[] = {Qt::Key_0,      Qt::Key_1,         Qt::Key_5,     Qt::Key_9,
                             Qt::Key_Minus,  Qt::Key_Period,    Qt::Key_Comma, Qt::Key_E,
                             Qt::Key_H,      Qt::Key_Ampersand, Qt::Key_Space, Qt::Key_Backspace,
                             Qt::Key_Delete, Qt::Key_Return,    Qt::Key_Left,  Qt::Key_Home,
                             Qt::Key_End,    Qt::Key_Tab,       Qt::Key_Plus,  Qt::Key_A};
const char* const kCommands[] = {"MenuNuovo", "MenuSalvaNome", "MenuSalva", "MenuApri", "MenuApri"};
const char* const kFiles[] = {"saved0", "saved1", "saved2", "bad-count", "garbage", "missing"};

// The invariants after an action that switched to `tab` (-1: none): those broken, or "".
static QString Broken(ProgramUnderTest& p, const DataSet& before, int tab) {
    const Analysis& a = p.analysis;
    QString broken;
    const auto check = [&](bool held, const QString& what) { broken += held ? "" : what + "; "; };
    const auto sameTexts = [](const DataRow& l, const DataRow& r) {
        return l.x == r.x && l.y == r.y;
    };
    check(a.RowCount() >= kMinRowCount && a.RowCount() <= kRowCapacity, "row count out of range");
    check(p.grid().Cmb_NumDati()->currentText() == QString::number(a.RowCount()),
          "row-count box differs from the rows");
    check(a.History().isEmpty() ||
              std::equal(before.begin(), before.end(), a.Rows().begin(), sameTexts),
          "history kept after a row edit");
    check(!a.Busy(), "left busy");
    for (int i = 0; i < kRowCapacity; ++i) {
        const DataRow& row = a.Row(i);
        const QCheckBox* box = p.grid().Chk_Linea(i);
        const QString where = QStringLiteral(" in row %1").arg(i + 1);
        check(p.X(i)->text() == row.x.Text() && p.Y(i)->text() == row.y.Text() &&
                  box->isChecked() == row.used,
              "widgets differ from the state" + where);
        check(row.active == (i < a.RowCount()), "activation differs from the row count" + where);
        check(row.active || ((row.x + row.y).isEmpty() && !row.used && !p.X(i)->isEnabled() &&
                             !box->isEnabled()),
              "inactive row not empty, unchecked and disabled" + where);
    }
    if (tab > int(MainWindow::Page::DataTab)) { // the results pages against a fresh computation
        Statistics fresh;
        Extremes extremes;
        const bool computed = ComputeStatistics(a.Rows(), fresh, extremes).ok;
        const auto captions = StatisticsCaptions(fresh, a.DecimalSeparator());
        for (int f = 0; f < kFigureCount; ++f) {
            check(p.window.StatsPage()->Lab_Ris(f)->Figure() ==
                      (a.StatsValid() ? captions[f] : QString()),
                  "statistics page differs from the figures");
        }
        check(p.window.ResidualPage()->Grd_Residui()->rowCount() ==
                  (a.StatsValid() ? a.RowCount() : 0),
              "residuals page differs from the rows in use");
        check(p.window.UncertainPage()->Coefficient(0, 0)->Figure() ==
                  p.window.StatsPage()->Lab_Ris(int(Figure::A))->Figure(),
              "uncertainty page differs from the statistics page");
        check(a.StatsValid() ? computed && fresh.values == a.Figures().values
                             : a.Figures().AllZero() && a.History().isEmpty(),
              "figures differ from a fresh computation, or invalid ones not cleared");
    }
    return broken;
}

class RandomUserTest : public QObject {
    Q_OBJECT
    const int seed_ = qEnvironmentVariable("QB_RANDOM_SEED", "20261207").toInt();
    QRandomGenerator random_{quint32(seed_)};
    QTemporaryDir dir_;
    ProgramUnderTest p_;

    int Pick(int bound) { return int(random_.bounded(bound)); }
    void PressKeys(QWidget* target, int count) {
        target->setFocus(Qt::MouseFocusReason);
        // A page key may take the target off the screen, and the keys with it.
        for (int k = 0; k < count && target->isVisible(); ++k) {
            QTest::keyClick(target, kKeys[Pick(std::size(kKeys))],
                            Pick(10) ? Qt::NoModifier : Qt::ControlModifier);
        }
    }
    // One action, drawn by its share of 20, named for the report; a tab switch sets `tab`.
    QString Act(int& tab) {
        const int draw = Pick(20), current = p_.window.SSTab()->currentIndex();
        if (draw < 15 && current != int(MainWindow::Page::DataTab)) {
            p_.ClickTab(MainWindow::Page::DataTab); // the grid's actions need its page
        }
        if (draw < 13) {
            const int row = Pick(p_.analysis.RowCount());
            PressKeys(p_.grid().Field(Pick(2) ? Column::X : Column::Y, row), 1 + Pick(6));
            return QStringLiteral("keys into row %1").arg(row + 1);
        }
        if (draw == 13) {
            p_.ChooseRowCount(kMinRowCount + Pick(kRowCapacity - 1));
            return "row count " + p_.grid().Cmb_NumDati()->currentText();
        }
        if (draw == 14 || draw == 17) { // a row's check box, "Cancella": clicked if shown
            QAbstractButton* button = p_.window.PredictPage()->Cmd_Cancella();
            button = draw == 17 ? button : p_.grid().Chk_Linea(Pick(kRowCapacity));
            if (button->isVisible()) {
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
            }
            return button->objectName();
        }
        // A prediction away from its page is a tab switch: a switch may rewrite a field.
        if (draw <= 16 && (draw < 16 || current != int(MainWindow::Page::PredictionTab))) {
            p_.ClickTab(MainWindow::Page(tab = Pick(p_.window.SSTab()->count())));
            return QStringLiteral("tab %1").arg(tab + 1);
        }
        if (draw == 16) {
            PressKeys(p_.window.PredictPage()->Txt_X_Prev(), 1 + Pick(5));
            QTest::keyClick(p_.window.PredictPage()->Txt_X_Prev(), Qt::Key_Return);
            return QStringLiteral("prediction");
        }
        // "Nuovo", "Salva col nome..." into one of three files, "Salva", "Apri..." any of six.
        const int pick = Pick(5);
        const QString file = dir_.filePath(kFiles[Pick(pick == 1 ? 3 : 6)] + QString(".rgs"));
        if (pick == 1 || pick > 2) {
            p_.files.answers.enqueue(FileChoice{file});
        }
        p_.messages.answers.enqueue(Pick(2) ? MessageAnswer::Yes : MessageAnswer::No);
        p_.window.Action(kCommands[pick])->trigger();
        p_.messages.answers.clear();
        return kCommands[pick] + (u' ' + file);
    }

private slots:
    void invariantsHoldAfterEveryAction() {
        for (const auto& [name, bytes] :
             {std::pair<QString, QByteArray>{
                  "bad-count.rgs", "[Program ID]\r\nID=Quantorelle\r\n[Points]\r\nNumber=31\r\n"},
              {"garbage.rgs", QByteArray("\0\x01\xff[Points]\nNumber=5\n", 20)}}) {
            QFile file(dir_.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        const int count = qEnvironmentVariable("QB_RANDOM_ACTIONS", "100000").toInt();
        int validFigures = 0, filesOpened = 0, longestHistory = 0;
        for (int i = 0; i < count; ++i) {
            const DataSet before = p_.analysis.Rows();
            int tab = -1;
            const QString action = QString("seed %1 action %2: %3").arg(seed_).arg(i).arg(Act(tab));
            // A file opened loads its rows and its history together: no row edit.
            const bool opened = action.contains(": MenuApri");
            const QString broken = Broken(p_, opened ? p_.analysis.Rows() : before, tab);
            QVERIFY2(broken.isEmpty(), qPrintable(action + ": " + broken));
            validFigures += tab > int(MainWindow::Page::DataTab) && p_.analysis.StatsValid();
            filesOpened += opened && !p_.analysis.CurrentFileName().isEmpty();
            longestHistory = std::max(longestHistory, int(p_.analysis.History().size()));
        }
        // A user who never reaches valid figures or a loaded file has tested little.
        QVERIFY(validFigures > 0 && filesOpened > 0 && longestHistory > 0);
    }
};

QTEST_MAIN(RandomUserTest)
#include "test_random_user.moc"
