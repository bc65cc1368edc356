// Times the editor from process start to its window shown and idle with the full preset
// grid, and reads the resident memory at that moment.
//
//   window_start_bench [runs]        (default 10)
//
// Each run starts this program again as a child in an empty folder (so no Orvel.ini and no
// preset file of the user's is read). The child does what the editor's main does, and when
// the window is exposed, has painted, and the event loop is about to wait for input, it
// writes its resident memory (VmRSS and the peak VmHWM, in kB) to a pipe. The parent times
// from just before the fork to that line. The platform is Qt's usual choice: set
// QT_QPA_PLATFORM=offscreen, or run under Xvfb, as wanted.
//
// Exits 1 when the median time reaches 0.5 s or the median peak memory 120 MB.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QWindow>

#include "ui/window/main_form.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kTimeLimitS = 0.5;
constexpr double kMemoryLimitMb = 120.0;

long StatusKb(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(key);
    while (std::getline(status, line))
        if (line.compare(0, length, key) == 0) return std::atol(line.c_str() + length);
    return -1;
}

// Notes the first paint the window receives.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, event);
    }
};

int RunChild(int report_fd, int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvel"));

    orvel::TMainForm window(QStringList{QStringLiteral("orvel")});
    window.CreatePortNumberDialog();
    PaintWatch watch;
    window.installEventFilter(&watch);
    window.show();

    bool reported = false;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &window, [&] {
        if (reported || !watch.painted || !window.windowHandle() || !window.windowHandle()->isExposed()) return;
        reported = true;
        const std::string line = std::to_string(StatusKb("VmRSS:")) + " " + std::to_string(StatusKb("VmHWM:")) + "\n";
        if (write(report_fd, line.data(), line.size()) < 0) std::perror("write");
        close(report_fd);
        QApplication::quit();
    });
    return QApplication::exec();
}

struct Run {
    double seconds = 0;
    double rss_mb = 0, peak_mb = 0;
};

bool RunOnce(const char* self, Run& run)
{
    char folder[] = "/tmp/orvel-start-XXXXXX";
    if (!mkdtemp(folder)) return false;
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return false;

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(pipe_fds[0]);
        if (chdir(folder) != 0) _exit(126);
        const std::string fd = std::to_string(pipe_fds[1]);
        execl(self, self, "--child", fd.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipe_fds[1]);
    char text[64] = {};
    std::size_t got = 0;
    for (ssize_t n; got < sizeof text - 1 && (n = read(pipe_fds[0], text + got, sizeof text - 1 - got)) > 0;)
        got += static_cast<std::size_t>(n);
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    close(pipe_fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);

    long rss = 0, peak = 0;
    if (std::sscanf(text, "%ld %ld", &rss, &peak) != 2) return false;
    run.rss_mb = rss / 1024.0;
    run.peak_mb = peak / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) {
        const int fd = std::atoi(argv[2]);
        int child_argc = 1;
        return RunChild(fd, child_argc, argv);
    }

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("window start-up, %d runs, platform %s\n", runs, platform ? platform : "(Qt's default)");

    std::vector<double> seconds, rss, peak;
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!RunOnce("/proc/self/exe", run)) {
            std::fprintf(stderr, "run %d: the window did not report itself idle\n", i + 1);
            return 1;
        }
        seconds.push_back(run.seconds);
        rss.push_back(run.rss_mb);
        peak.push_back(run.peak_mb);
    }
    const double median_s = Median(seconds), median_peak = Median(peak);
    std::printf("  time to shown and idle: fastest %.3f s, median %.3f s, slowest %.3f s (goal < %.1f s)\n",
                *std::min_element(seconds.begin(), seconds.end()), median_s,
                *std::max_element(seconds.begin(), seconds.end()), kTimeLimitS);
    std::printf("  resident memory when idle: median %.1f MB, peak %.1f MB (goal < %.0f MB)\n", Median(rss),
                median_peak, kMemoryLimitMb);
    return median_s < kTimeLimitS && median_peak < kMemoryLimitMb ? 0 : 1;
}
