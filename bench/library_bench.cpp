// The set-up library at the size of a big collection, in the editor's window (offscreen
// unless QT_QPA_PLATFORM says otherwise):
//
//   library_bench [files] [folder]       (default 1000 files, in a fresh folder under /tmp)
//
// It writes the files (each names all 100 presets, the names varied), flushes them to the
// disk and drops them from the page cache, so that they are read from cold. Then it shows
// the window's "Library" page on a library holding them and measures:
//   - cold: from the page's first showing to every file listed, read and shown;
//   - stall: meanwhile, the longest wait of a 5 ms timer of the window's thread beyond its
//     5 ms, the longest the window's thread was kept from its events;
//   - memory: the resident memory the page added, once every file is in;
//   - keystrokes: queries typed into the search field one character at a time, each
//     keystroke's time until the table is filtered and painted again.
// A busy machine stretches the wall times: the CPU time of the cold reading, the load
// average and the window's thread's own CPU time between two turns are printed beside them.
// Exits 1 when a figure misses its limit: cold 1 s, stall 50 ms, memory 100 MB, keystroke 50 ms.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <time.h>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "files/library/library_record.h"
#include "files/preset_file.h"
#include "model/model_constants.h"
#include "ui/library/library_page.h"
#include "ui/library/library_presets_model.h"
#include "ui/window/main_form.h"

namespace {

using namespace orvel;

constexpr double kColdLimitMs = 1000;
constexpr double kStallLimitMs = 50;
constexpr double kMemoryLimitMb = 100;
constexpr double kKeystrokeLimitMs = 50;
constexpr int kTickMs = 5;
constexpr int kFilesPerFolder = 50;

const char* const kFirst[] = {"Clean", "Crunch", "Lead",    "Solo",   "Warm",  "Dirty", "Big",   "Soft",
                              "Fat",   "Thin",   "Bright",  "Dark",   "Wide",  "Dry",   "Wet",   "Hot",
                              "Cool",  "Deep",   "Vintage", "Modern", "Heavy", "Light", "Swirl", "Glass"};
const char* const kSecond[] = {"Verse", "Chorus", "Bridge", "Intro", "Outro", "Riff", "Pad",    "Wah",
                               "Boost", "Echo",   "Delay",  "Fuzz",  "Tone",  "Jam",  "Ballad", "Funk"};

long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

std::string PresetName(unsigned seed)
{
    std::string name =
        std::string(kFirst[seed % 24]) + " " + kSecond[(seed / 24) % 16] + " " + std::to_string(seed % 97);
    if (name.size() > static_cast<std::size_t>(kNameMaxLength)) name.resize(kNameMaxLength);
    return name;
}

// Writes the files and drops them from the page cache; returns their paths.
std::vector<std::string> WriteLibrary(const std::string& root, int files)
{
    std::vector<std::string> paths;
    unsigned seed = 12345;
    for (int f = 0; f < files; ++f) {
        PresetTable table;
        for (int row = kHeaderRowCount; row < kTableRowCount; ++row) {
            seed = seed * 1103515245U + 12345U;
            PresetData preset;
            preset.modifier = (seed >> 8) % 4 == 0 ? "LOOP" : "PRESET";
            preset.name = PresetName(seed >> 12);
            preset.loops = {(seed & 1) != 0, (seed & 2) != 0, false, (seed & 8) != 0, true, false};
            preset.midi1 = std::to_string(1 + (seed >> 16) % 128);
            preset.ctrls[0] = (seed & 4) ? "tog" : "64";
            table.SetRow(row, preset);
        }
        std::string text;
        PresetFileText("", table, SettingsData{}, text);
        char name[64];
        std::snprintf(name, sizeof name, "set-%02d/gig-%04d.ini", f / kFilesPerFolder + 1, f + 1);
        const std::string path = root + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
        paths.push_back(path);
    }
    for (const std::string& path : paths) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
    return paths;
}

// CPU time of every thread of the process so far, user and system.
double CpuMs()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

std::string LoadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string one;
    in >> one;
    return one;
}

template <typename Done>
void RunUntil(Done done)
{
    // Sleeps until events come, as the window's own loop does; every change of the page comes
    // as an event.
    while (!done()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// CPU time of the calling thread, in milliseconds.
double ThreadCpuMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Ticks {
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;  // wall time beyond the tick: the window's thread's work, or a busy machine
    double last_cpu = 0;
    double longest_cpu = 0;  // the window's thread's own work between two ticks
};

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const int files = argc > 1 ? std::atoi(argv[1]) : 1000;
    std::string base = argc > 2 ? argv[2] : (std::filesystem::temp_directory_path() / "orvel-library-XXXXXX").string();
    if (argc <= 2 && !::mkdtemp(base.data())) return 2;
    const std::string library = base + "/data/orvel/library";
    std::filesystem::create_directories(library);
    std::printf("writing %d preset files of 100 named presets into %s\n", files, library.c_str());
    WriteLibrary(library, files);
    ::setenv("XDG_DATA_HOME", (base + "/data").c_str(), 1);

    QApplication application(argc, argv);
    MainFormOptions options;
    options.config_places = ConfigPlaces{base, base + "/config"};
    options.image_version = [] { return std::optional<std::string>(); };
    TMainForm window(QStringList{QStringLiteral("orvel")}, options);
    window.show();
    QTimer settle;
    settle.setSingleShot(true);
    settle.start(500);
    RunUntil([&] { return !settle.isActive(); });
    const long before_kb = ResidentKb();

    LibraryPage* page = window.tsLibrary();
    Ticks ticks;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = ticks.clock.elapsed();
        ticks.longest = std::max(ticks.longest, now - ticks.last - kTickMs);
        ticks.last = now;
        const double cpu = ThreadCpuMs();
        ticks.longest_cpu = std::max(ticks.longest_cpu, cpu - ticks.last_cpu);
        ticks.last_cpu = cpu;
    });

    const std::string load = LoadAverage();
    const double cpu_before = CpuMs();
    const double window_cpu_before = ThreadCpuMs();
    QElapsedTimer cold;
    cold.start();
    ticks.clock.start();
    ticks.last_cpu = ThreadCpuMs();
    tick.start(kTickMs);
    window.Configuration2()->setCurrentWidget(page);
    RunUntil([&] { return page->Settled() && page->Index().Files().size() == static_cast<std::size_t>(files); });
    const double cold_ms = static_cast<double>(cold.nsecsElapsed()) / 1e6;
    const double cpu_ms = CpuMs() - cpu_before;
    const double window_cpu_ms = ThreadCpuMs() - window_cpu_before;
    tick.stop();
    const long after_kb = ResidentKb();
    const double memory_mb = static_cast<double>(after_kb - before_kb) / 1024.0;

    double slowest_key_ms = 0;
    std::vector<double> keys;
    for (const char* query : {"lead", "crunch verse 3", "37", "gig-0500", "zzz", "glass"}) {
        for (std::size_t length = 1; length <= std::strlen(query); ++length) {
            QElapsedTimer key;
            key.start();
            page->SearchField()->setText(QString::fromLatin1(query, static_cast<qsizetype>(length)));
            page->PresetsView()->viewport()->repaint();
            keys.push_back(static_cast<double>(key.nsecsElapsed()) / 1e6);
            slowest_key_ms = std::max(slowest_key_ms, keys.back());
        }
        page->SearchField()->clear();
    }
    std::sort(keys.begin(), keys.end());

    std::printf("files: %zu, named presets: %zu\n", page->Index().Files().size(), page->Index().PresetCount());
    std::printf(
        "listed and indexed from cold: %.0f ms (limit %.0f); CPU time %.0f ms, %.0f ms of it the window's thread; "
        "load average %s on %u cores\n",
        cold_ms, kColdLimitMs, cpu_ms, window_cpu_ms, load.c_str(), std::thread::hardware_concurrency());
    std::printf(
        "window's thread kept from its events at most: %lld ms (limit %.0f); its own work between two "
        "turns at most %.1f ms of CPU time\n",
        static_cast<long long>(ticks.longest), kStallLimitMs, ticks.longest_cpu);
    std::printf("memory added: %.1f MB (limit %.0f)\n", memory_mb, kMemoryLimitMb);
    std::printf("search keystroke: median %.1f ms, slowest %.1f ms of %zu (limit %.0f)\n", keys[keys.size() / 2],
                slowest_key_ms, keys.size(), kKeystrokeLimitMs);

    if (argc <= 2) std::filesystem::remove_all(base);
    const bool met = cold_ms < kColdLimitMs && static_cast<double>(ticks.longest) < kStallLimitMs &&
                     memory_mb < kMemoryLimitMb && slowest_key_ms < kKeystrokeLimitMs;
    return met ? 0 : 1;
}
