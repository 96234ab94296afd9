// Starts a program several times and reports, as medians, when it announced its start-up marks
// and how much memory it used at its peak. The program is started with QB_STARTUP_TRACE=1 and
// writes lines "MARK NANOSECONDS" (monotonic clock) to its standard error, then ends itself.
//
//   startup_probe RUNS PROGRAM [ARGUMENTS...]
//
// prints one line per mark, "MARK MEDIAN_MS", and "peak_kib MEDIAN". Lines whose number is no
// time of this run (a count the program reports) are printed as the last run gave them.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
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

struct Run {
    std::map<std::string, double> marksMs;
    std::map<std::string, long long> counts;
    long peakKib = 0;
};

bool RunOnce(char** argv, Run& run) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return false;
    }
    const long long start = NowNanoseconds();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], STDERR_FILENO);
        close(pipeFds[0]);
        setenv("QB_STARTUP_TRACE", "1", 1);
        execv(argv[0], argv);
        _exit(127);
    }
    close(pipeFds[1]);
    FILE* trace = fdopen(pipeFds[0], "r");
    char line[512];
    while (trace && fgets(line, sizeof line, trace)) {
        char mark[128];
        long long at = 0;
        if (sscanf(line, "%127s %lld", mark, &at) != 2) {
            continue;
        }
        if (at > start) {
            run.marksMs[mark] = double(at - start) / 1e6;
        } else {
            run.counts[mark] = at;
        }
    }
    if (trace) {
        fclose(trace);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.peakKib = usage.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && !run.marksMs.empty();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::map<std::string, std::vector<double>> marks;
    std::vector<double> peaks;
    std::map<std::string, long long> counts;
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!RunOnce(argv + 2, run)) {
            std::fprintf(stderr, "%s did not run to its marks\n", argv[2]);
            return 1;
        }
        for (const auto& [mark, ms] : run.marksMs) {
            marks[mark].push_back(ms);
        }
        peaks.push_back(double(run.peakKib));
        counts = run.counts;
    }
    for (const auto& [name, count] : counts) {
        std::printf("%s %lld\n", name.c_str(), count);
    }
    for (const auto& [mark, values] : marks) {
        std::printf("%s %.2f\n", mark.c_str(), Median(values));
    }
    std::printf("peak_kib %.0f\n", Median(peaks));
    return 0;
}
