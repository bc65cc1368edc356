// Prints the full preset table (every preset named and filled, all four kinds of preset) to
// a PDF file again and again, on the offscreen platform, and prints the fastest, median and
// slowest time with the file's size and page count. The first round, which loads the fonts,
// is reported on its own.
//
//   print_table_bench [folder] [rounds]     (folder: where the PDF goes, default ".")
//
// Exits 1 when the median print takes 1 s or more or the file reaches 1 MB.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <QDateTime>
#include <QGuiApplication>

#include "model/model_constants.h"
#include "model/preset_table.h"
#include "ui/print/pdf_output.h"

namespace {

using namespace orvel;
using Clock = std::chrono::steady_clock;

constexpr double kLimitMs = 1000.0;
constexpr std::uintmax_t kLimitBytes = 1024 * 1024;

PresetTable FullTable()
{
    PresetTable table;
    const char* modifiers[] = {"PRESET", "LOOP", "SWITCH", "MIDI"};
    for (int row = kHeaderRowCount; row < kTableRowCount; ++row) {
        const int i = row - kHeaderRowCount;
        PresetData preset;
        preset.modifier = modifiers[i % 4];
        preset.name = "Preset name " + std::to_string(i);
        preset.buffer = i % 2 == 0;
        preset.loops = {true, false, true, i % 3 == 0, false, true};
        preset.switches = {i % 2 == 1, true, false, true};
        preset.midi1 = std::to_string(1 + i);
        preset.midi2 = "128";
        preset.midi3_pc = std::to_string(100 - i % 100);
        preset.aux = {true, i % 2 == 0};
        table.SetRow(row, preset);
    }
    for (int bank = 0; bank < kBankCount; ++bank) table.SetBankFunction(bank, bank % 2 == 0);
    return table;
}

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : ".";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int app_argc = 1;
    QGuiApplication app(app_argc, argv);

    const PresetTable table = FullTable();
    const PrintSettings settings;
    const std::string path = folder + "/print_table_bench.pdf";
    const PlatformColours colours = CurrentPlatformColours();
    std::vector<double> times;
    int pages = 0;
    for (int round = 0; round <= rounds; ++round) {
        const Clock::time_point start = Clock::now();
        const PdfResult result = WritePresetTablePdf(path, table, settings, colours, QDateTime::currentDateTime());
        const double ms = Milliseconds(Clock::now() - start);
        if (!result.error.empty()) {
            std::fprintf(stderr, "print failed: %s\n", result.error.c_str());
            return 1;
        }
        pages = result.pages;
        if (round == 0)
            std::printf("first print (fonts loaded): %.1f ms\n", ms);
        else
            times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const std::uintmax_t bytes = std::filesystem::file_size(path);
    std::printf("full table to PDF, %d rounds: fastest %.1f ms, median %.1f ms, slowest %.1f ms\n", rounds,
                times.front(), median, times.back());
    std::printf("file: %d pages, %ju bytes (%.1f KB)\n", pages, bytes, bytes / 1024.0);
    std::filesystem::remove(path);
    return median < kLimitMs && bytes < kLimitBytes ? 0 : 1;
}
