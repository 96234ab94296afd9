// A seeded random user: keys of every kind into every field, row counts, check boxes, tab
// switches, predictions, "Cancella", "Nuovo", and files saved and opened (bad ones included),
// with the program's invariants checked after every action. QB_RANDOM_SEED replays a seed,
// QB_RANDOM_ACTIONS sets the number of actions.
#include "ProgramUnderTest.h"
#include "engine/Engine.h"
#include "engine/StatisticsCaptions.h"
#include "pages/PredictionPage.h"
#include "pages/StatisticsPage.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace qb;

namespace {

const Qt::Key kKeys[] = {Qt::Key_0,      Qt::Key_1,         Qt::Key_5,     Qt::Key_9,
                         Qt::Key_Minus,  Qt::Key_Period,    Qt::Key_Comma, Qt::Key_E,
                         Qt::Key_H,      Qt::Key_Ampersand, Qt::Key_Space, Qt::Key_Backspace,
                         Qt::Key_Delete, Qt::Key_Return,    Qt::Key_Left,  Qt::Key_Home,
                         Qt::Key_End,    Qt::Key_Tab,       Qt::Key_Plus,  Qt::Key_A};

struct RandomUser {
    ProgramUnderTest& p;
    QRandomGenerator random;
    QString folder;

    int Pick(int bound) { return int(random.bounded(bound)); }
    QString ClickIfShown(QAbstractButton* button) {
        if (button->isVisible()) {
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
        }
        return button->objectName();
    }
    void PressKeys(QWidget* target, int count) {
        target->setFocus(Qt::MouseFocusReason);
        for (int k = 0; k < count; ++k) {
            QTest::keyClick(target, kKeys[Pick(std::size(kKeys))],
                            Pick(10) ? Qt::NoModifier : Qt::ControlModifier);
        }
    }
    // One action, drawn by its share of 20, named for the failure report; a tab switch sets
    // `tab` to the page shown, whose figures are then checked.
    QString Act(int& tab) {
        const int draw = Pick(20), current = p.window.SSTab()->currentIndex();
        if (draw < 15 && current != MainWindow::DataTab) {
            p.ClickTab(MainWindow::DataTab); // the grid's actions need its page
        }
        if (draw < 13) {
            const int row = Pick(p.analysis.RowCount());
            PressKeys(p.grid().Field(Pick(2) ? Column::X : Column::Y, row), 1 + Pick(6));
            return QStringLiteral("keys into row %1").arg(row + 1);
        }
        if (draw == 13) {
            const int count = kMinRowCount + Pick(kRowCapacity - 1);
            p.ChooseRowCount(count);
            return QStringLiteral("row count %1").arg(count);
        }
        if (draw == 14) {
            return ClickIfShown(p.grid().Chk_Linea(Pick(kRowCapacity)));
        }
        // A prediction away from its page is a tab switch: a switch may rewrite a field.
        if (draw <= 16 && (draw < 16 || current != MainWindow::PredictionTab)) {
            p.ClickTab(tab = Pick(4));
            return QStringLiteral("tab %1").arg(tab + 1);
        }
        PredictionPage& page = *p.window.PredictPage();
        if (draw == 16) {
            PressKeys(page.Txt_X_Prev(), 1 + Pick(5));
            QTest::keyClick(page.Txt_X_Prev(), Qt::Key_Return);
            return QStringLiteral("prediction");
        }
        if (draw == 17) {
            return ClickIfShown(page.Cmd_Cancella());
        }
        // "Nuovo", "Salva col nome..." into one of three files, "Salva", "Apri..." any of six.
        const char* const commands[] = {"MenuNuovo", "MenuSalvaNome", "MenuSalva", "MenuApri",
                                        "MenuApri"};
        const int pick = Pick(5);
        const QString names[] = {"saved0", "saved1", "saved2", "bad-count", "garbage", "missing"};
        const QString file = folder + u'/' + names[Pick(pick == 1 ? 3 : 6)] + ".rgs";
        if (pick == 1 || pick > 2) {
            p.files.answers.enqueue(file);
        }
        p.messages.answers.enqueue(Pick(2) ? MessageAnswer::Yes : MessageAnswer::No);
        p.window.Action(commands[pick])->trigger();
        p.messages.answers.clear();
        return commands[pick] + (u' ' + file);
    }
};

// The invariants after an action that switched to `tab` (-1: none): the first broken, or "".
QString Broken(ProgramUnderTest& p, const DataSet& before, int tab) {
    const Analysis& a = p.analysis;
    QList<std::pair<QString, bool>> holds = {
        {"row count out of range", a.RowCount() >= kMinRowCount && a.RowCount() <= kRowCapacity},
        {"row-count box differs from the rows",
         p.grid().Cmb_NumDati()->currentText() == QString::number(a.RowCount())},
        {"history kept after a row edit",
         a.History().isEmpty() || std::equal(before.begin(), before.end(), a.Rows().begin(),
                                             [](const DataRow& r, const DataRow& s) {
                                                 return r.x == s.x && r.y == s.y;
                                             })},
        {"left busy", !a.Busy()}};
    for (int i = 0; i < kRowCapacity; ++i) {
        const DataRow& row = a.Row(i);
        const QCheckBox* box = p.grid().Chk_Linea(i);
        const QString where = QStringLiteral(" in row %1").arg(i + 1);
        holds.append(
            {{"widgets differ from the state" + where,
              p.X(i)->text() == row.x && p.Y(i)->text() == row.y && box->isChecked() == row.used},
             {"activation differs from the row count" + where, row.active == (i < a.RowCount())},
             {"inactive row not empty, unchecked and disabled" + where,
              row.active || (row.x.isEmpty() && row.y.isEmpty() && !row.used &&
                             !p.X(i)->isEnabled() && !box->isEnabled())}});
    }
    if (tab > MainWindow::DataTab) { // the results pages against a fresh computation
        Statistics fresh;
        Extremes extremes;
        const bool computed = ComputeStatistics(a.Rows(), fresh, extremes).ok;
        const auto captions = StatisticsCaptions(fresh, a.DecimalSeparator());
        for (int f = 0; f < kFigureCount; ++f) {
            holds.append({"statistics page differs from the figures",
                          p.window.StatsPage()->Lab_Ris(f)->text() ==
                              (a.StatsValid() ? captions[f] : QString())});
        }
        holds.append({{"figures differ from a fresh computation",
                       !a.StatsValid() || (computed && fresh.values == a.Figures().values)},
                      {"invalid figures not cleared",
                       a.StatsValid() || (a.Figures().AllZero() && a.History().isEmpty())}});
    }
    for (const auto& [name, held] : holds) {
        if (!held) {
            return name;
        }
    }
    return {};
}

} // namespace

class RandomUserTest : public QObject {
    Q_OBJECT
private slots:
    void invariantsHoldAfterEveryAction() {
        const auto setting = [](const char* name, int fallback) {
            return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : fallback;
        };
        const int seed = setting("QB_RANDOM_SEED", 20261207);
        const int count = setting("QB_RANDOM_ACTIONS", 100000);
        QTemporaryDir dir;
        for (const auto& [name, bytes] :
             {std::pair<QString, QByteArray>{
                  "bad-count.rgs", "[Program ID]\r\nID=Quantorelle\r\n[Points]\r\nNumber=31\r\n"},
              {"garbage.rgs", QByteArray("\0\x01\xff[Points]\nNumber=5\n", 20)}}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        ProgramUnderTest p;
        RandomUser user{p, QRandomGenerator(seed), dir.path()};
        int validFigures = 0, filesOpened = 0, longestHistory = 0;
        for (int i = 0; i < count; ++i) {
            const DataSet before = p.analysis.Rows();
            int tab = -1;
            const QString action = user.Act(tab);
            // A file opened loads its rows and its history together: no row edit.
            const bool opened = action.startsWith("MenuApri");
            const QString broken = Broken(p, opened ? p.analysis.Rows() : before, tab);
            QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                                      .arg(QString::number(seed),
                                                           QString::number(i), action, broken)));
            validFigures += tab > MainWindow::DataTab && p.analysis.StatsValid();
            filesOpened += opened && !p.analysis.CurrentFileName().isEmpty();
            longestHistory = std::max(longestHistory, int(p.analysis.History().size()));
        }
        // A user who never reaches valid figures or a loaded file has tested little.
        QVERIFY(validFigures > 0 && filesOpened > 0 && longestHistory > 0);
    }
};

QTEST_MAIN(RandomUserTest)
#include "test_random_user.moc"
