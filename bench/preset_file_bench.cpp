// Loads and saves a full preset file (100 presets with every field set, the settings and
// the bank functions) again and again and prints the fastest, median and slowest time of
// each. A save is the whole safe replacement: read the old file, update it, write the new
// one beside it, flush it to the disk and rename it over the old one. Beside them, the same
// in memory, without the disk: the text read into a set-up, and a set-up written over the
// text (every key looked up and set, the whole text written again).
//
//   preset_file_bench [folder] [rounds]     (folder: where the file goes, default ".")
//
// Exits 1 when the median load or save takes 20 ms or more, or the median of either in
// memory 1 ms or more.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "files/preset_file.h"
#include "model/model_constants.h"

namespace {

using namespace orvel;
using Clock = std::chrono::steady_clock;

constexpr double kLimitMs = 20.0;
constexpr double kInMemoryLimitMs = 1.0;

void FillEveryField(PresetTable& table, SettingsData& settings)
{
    const char* modifiers[] = {"PRESET", "LOOP", "SWITCH", "MIDI"};
    for (int row = kHeaderRowCount; row < kTableRowCount; ++row) {
        const int i = row - kHeaderRowCount;
        PresetData preset;
        preset.modifier = modifiers[i % 4];
        preset.name = "Preset \xE9" + std::to_string(i);
        preset.buffer = i % 2 == 0;
        preset.loops = {true, false, true, i % 3 == 0, false, true};
        preset.switches = {i % 2 == 1, true, false, true};
        preset.midi1 = std::to_string(1 + i);
        preset.midi2 = "128";
        preset.midi3_pc = "unu";
        preset.ctrls = {"tog", "128", "0", "unu", std::to_string(i), "127", "64"};
        preset.aux = {true, i % 2 == 0};
        table.SetRow(row, preset);
    }
    settings.keys = {"cb3", "uP2", "uL6", "ot1", "tt1", "n3A", "tu4", "AF2"};
}

struct Figures {
    double fastest = 0, median = 0, slowest = 0;
};

Figures Summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2], ms.back()};
}

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : ".";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
    const std::string path = folder + "/preset_file_bench_" + std::to_string(::getpid()) + ".ini";

    PresetTable table;
    SettingsData settings;
    FillEveryField(table, settings);
    if (SavePresetFile(path, table, settings).status != FileStatus::Done) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 2;
    }

    std::vector<double> loads, saves, text_loads, text_saves;
    std::string text;
    for (int round = 0; round < rounds; ++round) {
        PresetTable loaded;
        SettingsData loaded_settings;
        Clock::time_point start = Clock::now();
        const FileResult load = LoadPresetFile(path, loaded, loaded_settings);
        loads.push_back(MillisecondsSince(start));

        start = Clock::now();
        const FileResult save = SavePresetFile(path, loaded, loaded_settings);
        saves.push_back(MillisecondsSince(start));
        if (load.status != FileStatus::Done || save.status != FileStatus::Done) {
            std::fprintf(stderr, "round %d failed: %s%s\n", round, load.reason.c_str(), save.reason.c_str());
            ::unlink(path.c_str());
            return 2;
        }

        if (round == 0 && !PresetFileText("", loaded, loaded_settings, text)) return 2;
        start = Clock::now();
        const bool text_loaded = LoadPresetText(text, loaded, loaded_settings);
        text_loads.push_back(MillisecondsSince(start));
        std::string again;
        start = Clock::now();
        const bool text_saved = PresetFileText(text, loaded, loaded_settings, again);
        text_saves.push_back(MillisecondsSince(start));
        if (!text_loaded || !text_saved || again != text) {
            std::fprintf(stderr, "round %d: the text in memory did not load or save as it was\n", round);
            ::unlink(path.c_str());
            return 2;
        }
    }
    ::unlink(path.c_str());

    const Figures load = Summarise(loads);
    const Figures save = Summarise(saves);
    const Figures text_load = Summarise(text_loads);
    const Figures text_save = Summarise(text_saves);
    std::printf("full preset file, %d rounds in %s\n", rounds, folder.c_str());
    std::printf("load: fastest %.2f ms, median %.2f ms, slowest %.2f ms\n", load.fastest, load.median, load.slowest);
    std::printf("save: fastest %.2f ms, median %.2f ms, slowest %.2f ms\n", save.fastest, save.median, save.slowest);
    std::printf("load in memory: fastest %.3f ms, median %.3f ms, slowest %.3f ms\n", text_load.fastest,
                text_load.median, text_load.slowest);
    std::printf("save in memory: fastest %.3f ms, median %.3f ms, slowest %.3f ms\n", text_save.fastest,
                text_save.median, text_save.slowest);
    return load.median < kLimitMs && save.median < kLimitMs && text_load.median < kInMemoryLimitMs &&
                   text_save.median < kInMemoryLimitMs
               ? 0
               : 1;
}
