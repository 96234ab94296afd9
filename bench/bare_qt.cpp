// The yardsticks of the start-up benchmark, bare Qt Widgets programs:
//
//   bare_qt WIDGETS          a main window with a tab control and as many plain widgets as the
//                            real program creates;
//   bare_qt window W H       one window of that size and nothing else, as the splash is.
//
// Under QB_STARTUP_TRACE they write "end" once the window has been painted, the first one also
// "bare_loaded" when its window is built.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTabWidget>

#include <cstdio>
#include <ctime>

namespace {

bool Tracing() {
    return !qEnvironmentVariableIsEmpty("QB_STARTUP_TRACE");
}

void Mark(const char* name) {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::fprintf(stderr, "%s %lld\n", name, t.tv_sec * 1'000'000'000LL + t.tv_nsec);
}

template <typename Window> class EndingTraceOnPaint final : public Window {
protected:
    void paintEvent(QPaintEvent* e) override {
        Window::paintEvent(e);
        if (!painted_ && Tracing()) {
            painted_ = true;
            std::fprintf(stderr, "end\n");
        }
    }

private:
    bool painted_ = false;
};

void AddWidgets(QMainWindow& window, int count) {
    auto* tabs = new QTabWidget(&window);
    window.setCentralWidget(tabs);
    QWidget* pages[4];
    for (QWidget*& page : pages) {
        page = new QWidget;
        tabs->addTab(page, QStringLiteral("Pagina"));
    }
    for (int i = 0; i < count; ++i) {
        QWidget* w = i % 2 ? static_cast<QWidget*>(new QLineEdit(pages[i % 4]))
                           : new QLabel(QStringLiteral("Testo"), pages[i % 4]);
        w->move(10 + (i % 10) * 60, 10 + (i / 40) * 20);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 4 && args[1] == QLatin1String("window")) {
        EndingTraceOnPaint<QWidget> window;
        window.resize(args[2].toInt(), args[3].toInt());
        window.show();
        return app.exec();
    }
    EndingTraceOnPaint<QMainWindow> window;
    AddWidgets(window, args.size() > 1 ? args[1].toInt() : 200);
    window.resize(835, 582);
    if (Tracing()) {
        Mark("bare_loaded");
    }
    window.show();
    return app.exec();
}
