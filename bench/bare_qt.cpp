// The yardstick of the start-up benchmark: a bare Qt Widgets program with a main window, a tab
// control and as many plain widgets as the real program creates (given as the argument). Under
// QB_STARTUP_TRACE it announces when its window is loaded and painted, then ends.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

void Mark(const char* name) {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::fprintf(stderr, "%s %lld\n", name, t.tv_sec * 1'000'000'000LL + t.tv_nsec);
}

class PaintMarkingWindow final : public QMainWindow {
protected:
    void paintEvent(QPaintEvent* e) override {
        QMainWindow::paintEvent(e);
        if (!painted_) {
            painted_ = true;
            Mark("bare_painted");
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int widgets = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 200;
    PaintMarkingWindow window;
    auto* tabs = new QTabWidget(&window);
    window.setCentralWidget(tabs);
    QWidget* pages[4];
    for (QWidget*& page : pages) {
        page = new QWidget;
        tabs->addTab(page, QStringLiteral("Pagina"));
    }
    for (int i = 0; i < widgets; ++i) {
        QWidget* w = i % 2 ? static_cast<QWidget*>(new QLineEdit(pages[i % 4]))
                           : new QLabel(QStringLiteral("Testo"), pages[i % 4]);
        w->move(10 + (i % 10) * 60, 10 + (i / 40) * 20);
    }
    window.resize(835, 582);
    Mark("bare_loaded");
    window.show();
    return app.exec();
}
