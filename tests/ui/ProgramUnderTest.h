#pragma once

#include "core/numbers/CaseFile.h"
#include "model/Analysis.h"
#include "pages/EntryField.h"
#include "pages/EntryGridPage.h"
#include "support/ScriptedClipboard.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedHelpViewer.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedPastePreview.h"
#include "support/ScriptedReportPrinter.h"
#include "support/WorkedExample.h"
#include "windows/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace qb {

// The main window with scripted seams, shown and active so that focus and keys act as for a user.
struct ProgramUnderTest {
    explicit ProgramUnderTest(QChar separator = u'.', QString programDirectory = {})
        : analysis(separator), window(analysis, {messages, help, files, printer, clipboard,
                                                 pastePreview, programDirectory}) {
        window.show();
        window.activateWindow();
        ready = QTest::qWaitForWindowActive(&window);
    }

    EntryGridPage& grid() { return *window.Grid(); }
    EntryField* X(int i) { return grid().Txt_X(i); }
    EntryField* Y(int i) { return grid().Txt_Y(i); }

    void ClickTab(MainWindow::Page page) {
        QTabBar* bar = window.SSTab()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(int(page)).center());
    }
    // Gives the field the focus as a click would, then types.
    void TypeInto(QWidget* field, const QString& keys) {
        field->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(field, keys);
    }
    // Picks a row count from the combo box with the keyboard, as a user can.
    void ChooseRowCount(int count) {
        grid().Cmb_NumDati()->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(grid().Cmb_NumDati(), Qt::Key_Home);
        for (int i = 2; i < count; ++i) {
            QTest::keyClick(grid().Cmb_NumDati(), Qt::Key_Down);
        }
    }
    void EnterRows(const QList<std::pair<QString, QString>>& rows) {
        for (int i = 0; i < rows.size(); ++i) {
            TypeInto(X(i), rows[i].first);
            TypeInto(Y(i), rows[i].second);
        }
    }
    void EnterWorkedExample() {
        ChooseRowCount(int(worked::kRows.size()));
        EnterRows(worked::kRows);
    }

    ScriptedMessageBox messages;
    ScriptedHelpViewer help;
    ScriptedFileDialog files;
    ScriptedReportPrinter printer;
    ScriptedClipboard clipboard;
    ScriptedPastePreview pastePreview;
    Analysis analysis;
    MainWindow window;
    bool ready = false;
};

// The messages shown, each as "text|style|title".
inline QStringList Shown(const ScriptedMessageBox& messages) {
    QStringList shown;
    for (const auto& r : messages.requests) {
        const char* style = r.style == kErrorStyle        ? "error"
                            : r.style == kScaleErrorStyle ? "scale error"
                            : r.style == kPlainStyle      ? "plain"
                                                          : "other";
        shown << r.text + u'|' + style + u'|' + r.title;
    }
    return shown;
}

// A table of cases for a Qt Test _data() function, one line a case: its fields joined by '|'.
inline void CaseTable(std::initializer_list<std::pair<const char*, const char*>> cases) {
    QTest::addColumn<QString>("fields");
    for (const auto& [name, fields] : cases) {
        QTest::newRow(name) << QString::fromUtf8(fields);
    }
}
// The same from a table file beside the test source: a case's first field names its row.
inline void CaseTable(const char* testSource, const char* name) {
    QTest::addColumn<QString>("fields");
    for (const Case& c : ReadCases(testSource, name)) {
        QTest::newRow(qPrintable(c[0])) << c.fields.mid(1).join(u'|');
    }
}
inline QStringList CaseFields() {
    QFETCH(QString, fields);
    return fields.split(u'|');
}

// The Qt Test classes of the views' one executable, which gui_test_main.cpp runs in turn; a test
// file registers its class with `static const bool kRegistered = RegisterGuiTest<Class>();`.
using GuiTest = int (*)(int, char**);
inline std::vector<GuiTest>& GuiTests() {
    static std::vector<GuiTest> tests;
    return tests;
}
template <typename TestClass> bool RegisterGuiTest() {
    GuiTests().push_back([](int argc, char** argv) {
        TestClass test;
        return QTest::qExec(&test, argc, argv);
    });
    return true;
}

} // namespace qb
