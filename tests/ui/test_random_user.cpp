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

quint32 Setting(const char* name, quint32 fallback) {
    bool ok = false;
    const quint32 value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

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
    void ShowTab(int tab) {
        if (p.window.SSTab()->currentIndex() != tab) {
            p.ClickTab(tab);
        }
    }
    void PressKeys(QWidget* target, int count) {
        target->setFocus(Qt::MouseFocusReason);
        for (int k = 0; k < count; ++k) {
            QTest::keyClick(target, kKeys[Pick(std::size(kKeys))],
                            Pick(10) ? Qt::NoModifier : Qt::ControlModifier);
        }
    }
    QString SwitchTab(int& tab) {
        p.ClickTab(tab = Pick(4));
        return QStringLiteral("tab %1").arg(tab + 1);
    }
    QString File(int pick) {
        const QString names[] = {"saved0", "saved1", "saved2", "bad-count", "garbage", "missing"};
        return folder + u'/' + names[pick] + ".rgs";
    }

    // Each action with its share of 20 draws; an action returns its name for the failure report.
    // A tab switch sets the page switched to, whose figures are then checked.
    const std::vector<std::pair<int, std::function<QString(int&)>>> actions = {
        {13,
         [this](int&) {
             ShowTab(MainWindow::DataTab);
             const int row = Pick(p.analysis.RowCount());
             PressKeys(p.grid().Field(Pick(2) ? Column::X : Column::Y, row), 1 + Pick(6));
             return QStringLiteral("keys into row %1").arg(row + 1);
         }},
        {1,
         [this](int&) {
             ShowTab(MainWindow::DataTab);
             const int count = kMinRowCount + Pick(kRowCapacity - 1);
             p.ChooseRowCount(count);
             return QStringLiteral("row count %1").arg(count);
         }},
        {1,
         [this](int&) {
             QCheckBox* box = p.grid().Chk_Linea(Pick(kRowCapacity));
             if (box->isVisible()) {
                 QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
             }
             return "check box " + box->accessibleName();
         }},
        {2, [this](int& tab) { return SwitchTab(tab); }},
        // A prediction away from its page is a tab switch: a switch may rewrite a field.
        {1,
         [this](int& tab) {
             if (p.window.SSTab()->currentIndex() != MainWindow::PredictionTab) {
                 return SwitchTab(tab);
             }
             PressKeys(p.window.PredictPage()->Txt_X_Prev(), 1 + Pick(5));
             QTest::keyClick(p.window.PredictPage()->Txt_X_Prev(), Qt::Key_Return);
             return QStringLiteral("prediction");
         }},
        {1,
         [this](int&) {
             if (p.window.PredictPage()->Cmd_Cancella()->isVisible()) {
                 QTest::mouseClick(p.window.PredictPage()->Cmd_Cancella(), Qt::LeftButton);
             }
             return QStringLiteral("Cancella");
         }},
        {1, [this](int&) {
             const QString saved = File(Pick(3)), opened = File(Pick(6));
             switch (Pick(5)) {
             case 0:
                 p.window.Action("MenuNuovo")->trigger();
                 return QStringLiteral("Nuovo");
             case 1:
                 p.files.answers.enqueue(saved);
                 p.messages.answers.enqueue(Pick(2) ? MessageAnswer::Yes : MessageAnswer::No);
                 p.window.Action("MenuSalvaNome")->trigger();
                 p.messages.answers.clear();
                 return "Salva col nome " + saved;
             case 2:
                 p.window.Action("MenuSalva")->trigger();
                 return QStringLiteral("Salva");
             }
             p.files.answers.enqueue(opened);
             p.window.Action("MenuApri")->trigger();
             return "Apri " + opened;
         }}};
};

// The invariants after an action that switched to `tab` (-1: none): the first broken, or "".
QString Broken(ProgramUnderTest& p, const DataSet& before, int tab) {
    const Analysis& a = p.analysis;
    const auto texts = [](const DataSet& rows) {
        QStringList all;
        for (const DataRow& row : rows) {
            all << row.x << row.y;
        }
        return all;
    };
    QList<std::pair<QString, bool>> holds = {
        {"row count out of range", a.RowCount() >= kMinRowCount && a.RowCount() <= kRowCapacity},
        {"row-count box differs from the rows",
         p.grid().Cmb_NumDati()->currentText() == QString::number(a.RowCount())},
        {"history kept after a row edit",
         a.History().isEmpty() || texts(before) == texts(a.Rows())},
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
        const quint32 seed = Setting("QB_RANDOM_SEED", 20261207);
        const quint32 count = Setting("QB_RANDOM_ACTIONS", 100000);
        QTemporaryDir dir;
        for (const auto& [name, bytes] :
             {std::pair<QString, QByteArray>{
                  "bad-count.rgs", "[Program ID]\r\nID=Quantorelle\r\n[Points]\r\nNumber=31\r\n"},
              {"garbage.rgs", QByteArray("\0\x01\xff[Points]\nNumber=5\n", 20)}}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        ProgramUnderTest p;
        QVERIFY(p.ready);
        RandomUser user{p, QRandomGenerator(seed), dir.path()};
        int validFigures = 0, filesOpened = 0, longestHistory = 0;
        for (quint32 i = 0; i < count; ++i) {
            const DataSet before = p.analysis.Rows();
            int tab = -1;
            auto act = user.actions.begin();
            for (int draw = user.Pick(20); (draw -= act->first) >= 0;) {
                ++act;
            }
            const QString action = act->second(tab);
            // A file opened loads its rows and its history together: no row edit.
            const bool opened = action.startsWith("Apri");
            const QString broken = Broken(p, opened ? p.analysis.Rows() : before, tab);
            QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                                      .arg(seed)
                                                      .arg(i)
                                                      .arg(action, broken)));
            validFigures += tab > MainWindow::DataTab && p.analysis.StatsValid();
            filesOpened += opened && !p.analysis.CurrentFileName().isEmpty();
            longestHistory = std::max(longestHistory, int(p.analysis.History().size()));
        }
        qInfo("seed %u: %u actions, every invariant held; %d valid figure sets checked, %d files "
              "opened, longest history %d",
              seed, count, validFigures, filesOpened, longestHistory);
        // A user who never reaches valid figures or a loaded file has tested little.
        QVERIFY(validFigures > 0 && filesOpened > 0 && longestHistory > 0);
    }
};

QTEST_MAIN(RandomUserTest)
#include "test_random_user.moc"
