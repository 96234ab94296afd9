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
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>

using namespace qb;

namespace {

quint32 EnvironmentNumber(const char* name, quint32 fallback) {
    bool ok = false;
    const quint32 value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

const QList<int> kKeys = {Qt::Key_0,      Qt::Key_1,         Qt::Key_5,     Qt::Key_9,
                          Qt::Key_Minus,  Qt::Key_Period,    Qt::Key_Comma, Qt::Key_E,
                          Qt::Key_H,      Qt::Key_Ampersand, Qt::Key_Space, Qt::Key_Backspace,
                          Qt::Key_Delete, Qt::Key_Return,    Qt::Key_Left,  Qt::Key_Home,
                          Qt::Key_End,    Qt::Key_Tab,       Qt::Key_Plus,  Qt::Key_A};

class RandomUser {
public:
    RandomUser(ProgramUnderTest& p, quint32 seed, const QString& folder)
        : p_(p), random_(seed), folder_(folder) {
        WriteBadFiles();
    }

    // One action; returns its name for the failure report.
    QString Act() {
        const DataSet before = p_.analysis.Rows();
        switchedTo_ = -1;
        QString name;
        switch (random_.bounded(20)) {
        case 0:
            name = ChooseRowCount();
            break;
        case 1:
            name = ToggleRow();
            break;
        case 2:
        case 3:
            name = SwitchTab();
            break;
        case 4:
            name = Predict();
            break;
        case 5:
            name = Click(p_.window.PredictPage()->Cmd_Cancella(), "Cancella");
            break;
        case 6:
            name = FileCommand();
            break;
        default:
            name = TypeKeys();
            break;
        }
        rowTextEdited_ = RowTextsDiffer(before, p_.analysis.Rows());
        longestHistory = std::max(longestHistory, int(p_.analysis.History().size()));
        filesOpened += !p_.analysis.CurrentFileName().isEmpty() && name.startsWith("Apri");
        return name;
    }

    // The invariants; an empty text when all hold.
    QString Broken() {
        const Analysis& a = p_.analysis;
        if (a.RowCount() < kMinRowCount || a.RowCount() > kRowCapacity) {
            return "row count out of range";
        }
        if (p_.window.Grid()->Cmb_NumDati()->currentText() != QString::number(a.RowCount())) {
            return "row-count box differs from the rows";
        }
        for (int i = 0; i < kRowCapacity; ++i) {
            if (QString broken = RowBroken(i); !broken.isEmpty()) {
                return broken + QStringLiteral(" in row %1").arg(i + 1);
            }
        }
        if (rowTextEdited_ && !a.History().isEmpty()) {
            return "history kept after a row edit";
        }
        if (a.Busy()) {
            return "left busy";
        }
        return switchedTo_ > MainWindow::DataTab ? FiguresBroken() : QString();
    }

    int validFiguresChecked = 0;
    int longestHistory = 0;
    int filesOpened = 0;

private:
    QString RowBroken(int i) const {
        const DataRow& row = p_.analysis.Row(i);
        EntryGridPage* grid = p_.window.Grid();
        if (grid->Txt_X(i)->text() != row.x || grid->Txt_Y(i)->text() != row.y ||
            grid->Chk_Linea(i)->isChecked() != row.used) {
            return "widgets differ from the state";
        }
        if (row.active != (i < p_.analysis.RowCount())) {
            return "activation differs from the row count";
        }
        if (!row.active && (!row.x.isEmpty() || !row.y.isEmpty() || row.used ||
                            grid->Txt_X(i)->isEnabled() || grid->Chk_Linea(i)->isEnabled())) {
            return "inactive row not empty, unchecked and disabled";
        }
        return {};
    }

    QString FiguresBroken() {
        const Analysis& a = p_.analysis;
        StatisticsPage* page = p_.window.StatsPage();
        if (!a.StatsValid()) {
            for (int f = 0; f < kFigureCount; ++f) {
                if (!page->Lab_Ris(f)->text().isEmpty()) {
                    return "figures shown while not valid";
                }
            }
            if (!a.Figures().AllZero() || !a.History().isEmpty()) {
                return "invalid figures not cleared";
            }
            return {};
        }
        ++validFiguresChecked;
        Statistics fresh;
        Extremes extremes;
        if (!ComputeStatistics(a.Rows(), fresh, extremes).ok ||
            fresh.values != a.Figures().values) {
            return "figures differ from a fresh computation";
        }
        const auto captions = StatisticsCaptions(fresh, a.DecimalSeparator());
        for (int f = 0; f < kFigureCount; ++f) {
            if (page->Lab_Ris(f)->text() != captions[f]) {
                return "statistics page differs from the figures";
            }
        }
        return {};
    }

    static bool RowTextsDiffer(const DataSet& before, const DataSet& after) {
        for (int i = 0; i < kRowCapacity; ++i) {
            if (before[i].x != after[i].x || before[i].y != after[i].y) {
                return true;
            }
        }
        return false;
    }

    int Pick(int bound) { return int(random_.bounded(bound)); }

    void PressKeys(QWidget* target, int count) {
        target->setFocus(Qt::MouseFocusReason);
        for (int k = 0; k < count; ++k) {
            const int key = kKeys[Pick(kKeys.size())];
            const auto modifier = Pick(10) == 0 ? Qt::ControlModifier : Qt::NoModifier;
            QTest::keyClick(target, Qt::Key(key), modifier);
        }
    }

    QString TypeKeys() {
        const int row = Pick(p_.analysis.RowCount());
        const Column column = Pick(2) ? Column::X : Column::Y;
        if (p_.window.SSTab()->currentIndex() != MainWindow::DataTab) {
            p_.ClickTab(MainWindow::DataTab);
        }
        PressKeys(p_.window.Grid()->Field(column, row), 1 + Pick(6));
        return QStringLiteral("keys into row %1").arg(row + 1);
    }

    QString ChooseRowCount() {
        const int count = kMinRowCount + Pick(kRowCapacity - 1);
        if (p_.window.SSTab()->currentIndex() != MainWindow::DataTab) {
            p_.ClickTab(MainWindow::DataTab);
        }
        p_.ChooseRowCount(count);
        return QStringLiteral("row count %1").arg(count);
    }

    QString ToggleRow() {
        const int row = Pick(kRowCapacity);
        QCheckBox* box = p_.window.Grid()->Chk_Linea(row);
        if (p_.window.SSTab()->currentIndex() == MainWindow::DataTab) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        }
        return QStringLiteral("check box %1").arg(row + 1);
    }

    QString SwitchTab() {
        const int page = Pick(4);
        p_.ClickTab(page);
        switchedTo_ = page;
        return QStringLiteral("tab %1").arg(page + 1);
    }

    QString Predict() {
        if (p_.window.SSTab()->currentIndex() != MainWindow::PredictionTab) {
            return SwitchTab();
        }
        PredictionPage* page = p_.window.PredictPage();
        PressKeys(page->Txt_X_Prev(), 1 + Pick(5));
        QTest::keyClick(page->Txt_X_Prev(), Qt::Key_Return);
        return QStringLiteral("prediction");
    }

    QString Click(QAbstractButton* button, const char* name) {
        if (button->isVisible()) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
        return QString::fromLatin1(name);
    }

    QString FileCommand() {
        const QString saved = folder_ + QStringLiteral("/saved%1.rgs").arg(Pick(3));
        switch (Pick(5)) {
        case 0:
            p_.window.Action("MenuNuovo")->trigger();
            return "Nuovo";
        case 1:
            p_.files.answers.enqueue(saved);
            p_.messages.answers.enqueue(Pick(2) ? MessageAnswer::Yes : MessageAnswer::No);
            p_.window.Action("MenuSalvaNome")->trigger();
            p_.messages.answers.clear();
            return "Salva col nome " + saved;
        case 2:
            p_.window.Action("MenuSalva")->trigger();
            return "Salva";
        default: {
            const QStringList candidates = {saved, folder_ + "/bad-count.rgs",
                                            folder_ + "/garbage.rgs", folder_ + "/missing.rgs"};
            const QString chosen = candidates[Pick(candidates.size())];
            p_.files.answers.enqueue(chosen);
            p_.window.Action("MenuApri")->trigger();
            return "Apri " + chosen;
        }
        }
    }

    void WriteBadFiles() {
        const QList<std::pair<QString, QByteArray>> files = {
            {"bad-count.rgs", "[Program ID]\r\nID=Quantorelle\r\n[Points]\r\nNumber=31\r\n"},
            {"garbage.rgs", QByteArray("\0\x01\xff[Points]\nNumber=5\n", 20)}};
        for (const auto& [name, bytes] : files) {
            QFile file(folder_ + u'/' + name);
            if (file.open(QIODevice::WriteOnly)) {
                file.write(bytes);
            }
        }
    }

    ProgramUnderTest& p_;
    QRandomGenerator random_;
    QString folder_;
    int switchedTo_ = -1;
    bool rowTextEdited_ = false;
};

} // namespace

class RandomUserTest : public QObject {
    Q_OBJECT
private slots:
    void invariantsHoldAfterEveryAction() {
        const quint32 seed = EnvironmentNumber("QB_RANDOM_SEED", 20261207);
        const quint32 actions = EnvironmentNumber("QB_RANDOM_ACTIONS", 100000);
        QTemporaryDir dir;
        ProgramUnderTest p;
        QVERIFY(p.ready);
        RandomUser user(p, seed, dir.path());
        for (quint32 i = 0; i < actions; ++i) {
            const QString action = user.Act();
            const QString broken = user.Broken();
            if (!broken.isEmpty()) {
                QFAIL(qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                     .arg(seed)
                                     .arg(i)
                                     .arg(action, broken)));
            }
        }
        qInfo("seed %u: %u actions, every invariant held; %d valid figure sets checked, %d files "
              "opened, longest history %d",
              seed, actions, user.validFiguresChecked, user.filesOpened, user.longestHistory);
        // A user who never reaches valid figures or a loaded file has tested little.
        QVERIFY(user.validFiguresChecked > 0 && user.filesOpened > 0 && user.longestHistory > 0);
    }
};

QTEST_MAIN(RandomUserTest)
#include "test_random_user.moc"
