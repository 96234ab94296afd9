// Starts programs in turn and reports, as medians, when each one's first window showed its first
// pixels on the X screen, when it wrote its own start-up marks, and its peak memory. The pixels
// are watched from outside, as a user sees them: the probe polls the screen's contents where the
// program's first mapped window lies, until a pixel differs from what was there before the start.
//
//   startup_probe RUNS LABEL PROGRAM [ARGUMENTS...] [-- LABEL PROGRAM [ARGUMENTS...]]...
//
// The programs take turns, one run each, RUNS times, so that a change in the machine's load
// weighs on all of them alike. Each runs with QB_STARTUP_TRACE=1 and writes lines
// "MARK NANOSECONDS" (monotonic clock) or "NAME COUNT" to its standard error, then "end"; once it
// has, and its pixels are seen, the probe ends it. Prints per program "LABEL.first_pixels MS",
// "LABEL.MARK MS", "LABEL.peak_kib KIB" (medians), "LABEL.NAME COUNT" and "LABEL.window WxH"
// (as the last run gave them).
#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

long long NowNanoseconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> Take(T* reply) {
    return Reply<T>(reply, &std::free);
}

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The X screen as the probe watches it: new top-level windows, and pixels read back from the
// root window, which hold what is on screen whoever drew it.
class Screen {
public:
    bool Open() {
        int number = 0;
        c_ = xcb_connect(nullptr, &number);
        if (xcb_connection_has_error(c_)) {
            return false;
        }
        const xcb_setup_t* setup = xcb_get_setup(c_);
        auto screens = xcb_setup_roots_iterator(setup);
        for (; number > 0; --number) {
            xcb_screen_next(&screens);
        }
        root_ = screens.data->root;
        size_ = {0, 0, screens.data->width_in_pixels, screens.data->height_in_pixels};
        for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f)) {
            if (f.data->depth == screens.data->root_depth) {
                bitsPerPixel_ = f.data->bits_per_pixel;
                scanlinePad_ = f.data->scanline_pad;
            }
        }
        const char name[] = "_NET_WM_PID";
        auto atom =
            Take(xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, sizeof name - 1, name), nullptr));
        pidAtom_ = atom ? atom->atom : XCB_NONE;
        // Top-level windows are created as the root's children, before a window manager
        // reparents them.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c_);
        return bitsPerPixel_ % 8 == 0 && pidAtom_ != XCB_NONE;
    }
    ~Screen() {
        if (c_) {
            xcb_disconnect(c_);
        }
    }

    int fd() const { return xcb_get_file_descriptor(c_); }
    const Rect& size() const { return size_; }

    std::vector<uint8_t> Pixels(const Rect& r) const {
        auto image = Take(xcb_get_image_reply(
            c_,
            xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, int16_t(r.x), int16_t(r.y),
                          uint16_t(r.width), uint16_t(r.height), ~0u),
            nullptr));
        if (!image) {
            return {};
        }
        const uint8_t* data = xcb_get_image_data(image.get());
        return {data, data + xcb_get_image_data_length(image.get())};
    }

    // Whether the rectangle r of the whole screen's pixels differs from the same place now.
    bool Differs(const std::vector<uint8_t>& screen, const Rect& r) const {
        const std::vector<uint8_t> now = Pixels(r);
        const std::size_t rowBytes = std::size_t(r.width) * bitsPerPixel_ / 8;
        const std::size_t fromStride = Stride(size_.width), nowStride = Stride(r.width);
        if (now.size() < nowStride * r.height || screen.size() < fromStride * size_.height) {
            return false;
        }
        for (int row = 0; row < r.height; ++row) {
            const uint8_t* before =
                screen.data() + (r.y + row) * fromStride + r.x * bitsPerPixel_ / 8;
            if (std::memcmp(before, now.data() + row * nowStride, rowBytes) != 0) {
                return true;
            }
        }
        return false;
    }

    // Handles the window events received so far; calls found(window) for each window mapped by
    // process pid, and gone(window) for each destroyed one.
    template <typename Found, typename Gone> void Events(pid_t pid, Found found, Gone gone) {
        while (auto e = Take(xcb_poll_for_event(c_))) {
            switch (e->response_type & 0x7f) {
            case XCB_CREATE_NOTIFY: {
                // Watched from now on so that its map is seen once a window manager has
                // reparented it; already mapped if that happened before the watch began.
                const xcb_window_t w =
                    reinterpret_cast<xcb_create_notify_event_t*>(e.get())->window;
                const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                xcb_change_window_attributes(c_, w, XCB_CW_EVENT_MASK, &mask);
                auto attributes = Take(
                    xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, w), nullptr));
                if (attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED &&
                    OwnedBy(w, pid)) {
                    found(w);
                }
                break;
            }
            case XCB_MAP_NOTIFY: {
                const xcb_window_t w = reinterpret_cast<xcb_map_notify_event_t*>(e.get())->window;
                if (OwnedBy(w, pid)) {
                    found(w);
                }
                break;
            }
            case XCB_DESTROY_NOTIFY:
                gone(reinterpret_cast<xcb_destroy_notify_event_t*>(e.get())->window);
                break;
            default:
                break;
            }
        }
    }

    // Where the window lies on the screen, clipped to it.
    Rect Place(xcb_window_t w) const {
        auto geometry = Take(xcb_get_geometry_reply(c_, xcb_get_geometry(c_, w), nullptr));
        auto at = Take(xcb_translate_coordinates_reply(
            c_, xcb_translate_coordinates(c_, w, root_, 0, 0), nullptr));
        if (!geometry || !at) {
            return {};
        }
        const int x = std::max(0, int(at->dst_x)), y = std::max(0, int(at->dst_y));
        return {x, y, std::min(at->dst_x + geometry->width, size_.width) - x,
                std::min(at->dst_y + geometry->height, size_.height) - y};
    }

private:
    std::size_t Stride(int width) const {
        const std::size_t bits = std::size_t(width) * bitsPerPixel_;
        return (bits + scanlinePad_ - 1) / scanlinePad_ * scanlinePad_ / 8;
    }

    bool OwnedBy(xcb_window_t w, pid_t pid) const {
        auto property = Take(xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, w, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr));
        return property && xcb_get_property_value_length(property.get()) == 4 &&
               *static_cast<const uint32_t*>(xcb_get_property_value(property.get())) ==
                   uint32_t(pid);
    }

    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    xcb_atom_t pidAtom_ = XCB_NONE;
    Rect size_;
    int bitsPerPixel_ = 0;
    int scanlinePad_ = 8;
};

struct Run {
    double firstPixelsMs = -1;
    std::map<std::string, double> marksMs;
    std::map<std::string, long long> counts;
    Rect window;
    long peakKib = 0;
};

bool RunOnce(Screen& screen, char** argv, Run& run) {
    const std::vector<uint8_t> before = screen.Pixels(screen.size());
    int pipeFds[2];
    if (before.empty() || pipe(pipeFds) != 0) {
        return false;
    }
    const long long start = NowNanoseconds();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], STDERR_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        setenv("QB_STARTUP_TRACE", "1", 1);
        execv(argv[0], argv);
        _exit(127);
    }
    close(pipeFds[1]);

    xcb_window_t window = XCB_NONE;
    bool ended = false, closed = false, gone = false;
    std::string pending;
    const auto handleEvents = [&] {
        screen.Events(
            child,
            [&](xcb_window_t w) {
                if (window == XCB_NONE) {
                    window = w;
                    run.window = screen.Place(w);
                }
            },
            [&](xcb_window_t w) { gone = gone || w == window; });
    };
    const auto handleLine = [&](const std::string& line) {
        char mark[128];
        long long at = 0;
        if (line == "end") {
            ended = true;
        } else if (sscanf(line.c_str(), "%127s %lld", mark, &at) == 2) {
            if (at > start) {
                run.marksMs[mark] = double(at - start) / 1e6;
            } else {
                run.counts[mark] = at;
            }
        }
    };
    const auto readTrace = [&] {
        char buffer[4096];
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0) {
            closed = true;
            return;
        }
        pending.append(buffer, std::size_t(n));
        for (std::size_t eol; (eol = pending.find('\n')) != std::string::npos;) {
            handleLine(pending.substr(0, eol));
            pending.erase(0, eol + 1);
        }
    };

    const long long deadline = start + 20'000'000'000LL;
    while (!closed && !(ended && run.firstPixelsMs >= 0) && NowNanoseconds() < deadline) {
        handleEvents();
        if (window != XCB_NONE && run.firstPixelsMs < 0 && screen.Differs(before, run.window)) {
            run.firstPixelsMs = double(NowNanoseconds() - start) / 1e6;
        }
        pollfd fds[2] = {{screen.fd(), POLLIN, 0}, {pipeFds[0], POLLIN, 0}};
        // Until the pixels show, the screen is read back every millisecond.
        poll(fds, 2, run.firstPixelsMs < 0 ? 1 : 50);
        if (fds[1].revents) {
            readTrace();
        }
    }
    kill(child, SIGTERM);
    while (!closed) {
        readTrace();
    }
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.peakKib = usage.ru_maxrss;
    // The next run's "before" must not hold this one's window.
    for (const long long until = NowNanoseconds() + 2'000'000'000LL;
         window != XCB_NONE && !gone && NowNanoseconds() < until; usleep(1000)) {
        handleEvents();
    }
    usleep(50'000); // and a window manager's frame goes too
    handleEvents();
    const bool stopped = (WIFEXITED(status) && WEXITSTATUS(status) == 0) ||
                         (WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    return stopped && ended && run.firstPixelsMs >= 0;
}

struct Program {
    std::string label;
    std::vector<char*> argv;
    std::map<std::string, std::vector<double>> marks;
    std::vector<double> firstPixels, peaks;
    std::map<std::string, long long> counts;
    Rect window;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: %s RUNS LABEL PROGRAM [ARGUMENTS...] [-- LABEL PROGRAM "
                     "[ARGUMENTS...]]...\n",
                     argv[0]);
        return 2;
    }
    std::vector<Program> programs(1);
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            programs.emplace_back();
        } else if (programs.back().label.empty()) {
            programs.back().label = argv[i];
        } else {
            programs.back().argv.push_back(argv[i]);
        }
    }
    Screen screen;
    if (!screen.Open()) {
        std::fprintf(stderr, "no X display to watch\n");
        return 1;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    for (int i = 0; i < runs; ++i) {
        for (Program& p : programs) {
            p.argv.push_back(nullptr);
            Run run;
            const bool ok = RunOnce(screen, p.argv.data(), run);
            p.argv.pop_back();
            if (!ok) {
                std::fprintf(stderr, "%s did not show its window and run to its end\n",
                             p.argv.empty() ? "?" : p.argv[0]);
                return 1;
            }
            for (const auto& [mark, ms] : run.marksMs) {
                p.marks[mark].push_back(ms);
            }
            p.firstPixels.push_back(run.firstPixelsMs);
            p.peaks.push_back(double(run.peakKib));
            p.counts = run.counts;
            p.window = run.window;
        }
    }
    for (const Program& p : programs) {
        const char* label = p.label.c_str();
        for (const auto& [name, count] : p.counts) {
            std::printf("%s.%s %lld\n", label, name.c_str(), count);
        }
        std::printf("%s.window %dx%d\n", label, p.window.width, p.window.height);
        std::printf("%s.first_pixels %.2f\n", label, Median(p.firstPixels));
        for (const auto& [mark, values] : p.marks) {
            std::printf("%s.%s %.2f\n", label, mark.c_str(), Median(values));
        }
        std::printf("%s.peak_kib %.0f\n", label, Median(p.peaks));
    }
    return 0;
}
