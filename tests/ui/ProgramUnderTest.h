#pragma once

#include "model/Analysis.h"
#include "pages/EntryField.h"
#include "pages/EntryGridPage.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedHelpViewer.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedReportPrinter.h"
#include "windows/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <memory>

namespace qb {

// The main window with scripted seams, shown and active so that focus and keys behave as for a
// user.
struct ProgramUnderTest {
    explicit ProgramUnderTest(QChar separator = u'.', QString programDirectory = {})
        : analysis(separator),
          window(analysis, {messages, help, files, printer, programDirectory}) {
        window.show();
        window.activateWindow();
        ready = QTest::qWaitForWindowActive(&window);
    }

    EntryGridPage& grid() { return *window.Grid(); }
    EntryField* X(int i) { return grid().Txt_X(i); }
    EntryField* Y(int i) { return grid().Txt_Y(i); }

    // Clicks a tab as a user does.
    void ClickTab(int page) {
        QTabBar* bar = window.SSTab()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    }

    // Types into a field after giving it the focus, as a click and typing would.
    void TypeInto(QWidget* field, const QString& keys) {
        field->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(field, keys);
    }

    // Picks a row count from the combo box with the keyboard, as a user can.
    void ChooseRowCount(int count) {
        QWidget* combo = grid().Cmb_NumDati();
        combo->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 2; i < count; ++i) {
            QTest::keyClick(combo, Qt::Key_Down);
        }
    }

    void EnterRows(const QList<std::pair<QString, QString>>& rows) {
        for (int i = 0; i < rows.size(); ++i) {
            TypeInto(X(i), rows[i].first);
            TypeInto(Y(i), rows[i].second);
        }
    }

    ScriptedMessageBox messages;
    ScriptedHelpViewer help;
    ScriptedFileDialog files;
    ScriptedReportPrinter printer;
    Analysis analysis;
    MainWindow window;
    bool ready = false;
};

} // namespace qb
