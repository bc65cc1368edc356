// What one undo step costs: takes, compares and puts back the record of a full set-up (100
// presets with every field set, names of 15 characters, the settings and the bank
// functions) again and again and prints the median time of each and the record's size in
// memory (the record itself and the heap its texts need).
//
//   setup_snapshot_bench [rounds]
//
// Exits 1 when the median take or restore takes 5 ms or more.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/model_constants.h"
#include "model/preset_table.h"
#include "model/setup_snapshot.h"

namespace {

using namespace orvel;
using Clock = std::chrono::steady_clock;

constexpr double kLimitMs = 5.0;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Heap bytes of a text longer than the string's own buffer.
std::size_t HeapBytes(const std::string& text)
{
    return text.capacity() > 15 ? text.capacity() + 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    PresetTable table;
    SettingsData settings;
    const char* modifiers[] = {"PRESET", "LOOP", "SWITCH", "MIDI"};
    for (int i = 0; i < kPresetCount; ++i) {
        PresetData preset;
        preset.modifier = modifiers[i % 4];
        preset.name = "Long name " + std::to_string(100000 + i);
        preset.loops = {true, false, true, i % 3 == 0, false, true};
        preset.midi1 = std::to_string(1 + i);
        preset.ctrls = {"tog", "0", "128", "unu", "17", "99", "5"};
        table.SetRow(i + kHeaderRowCount, preset);
    }

    std::vector<double> take_ms;
    std::vector<double> compare_ms;
    std::vector<double> restore_ms;
    PresetTable target;
    SettingsData target_settings;
    std::size_t equal = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto t0 = Clock::now();
        const SetupSnapshot snapshot = TakeSetupSnapshot(table, settings);
        const auto t1 = Clock::now();
        equal += snapshot == TakeSetupSnapshot(target, target_settings) ? 1 : 0;
        const auto t2 = Clock::now();
        RestoreSetupSnapshot(snapshot, target, target_settings);
        const auto t3 = Clock::now();
        take_ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        compare_ms.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());  // includes a take
        restore_ms.push_back(std::chrono::duration<double, std::milli>(t3 - t2).count());
    }

    const SetupSnapshot snapshot = TakeSetupSnapshot(table, settings);
    std::size_t heap = 0;
    for (const SnapshotRow& row : snapshot.rows) {
        const PresetData& p = row.preset;
        for (const std::string* text : {&p.modifier, &p.name, &p.midi1, &p.midi2, &p.midi3_pc})
            heap += HeapBytes(*text);
        for (const std::string& text : p.ctrls) heap += HeapBytes(text);
    }
    std::printf("record: %zu bytes + %zu bytes of long texts\n", sizeof(SetupSnapshot), heap);
    std::printf("take    median %.3f ms\n", Median(take_ms));
    std::printf("compare median %.3f ms (a take and a comparison)\n", Median(compare_ms));
    std::printf("restore median %.3f ms\n", Median(restore_ms));
    std::printf("(%zu of %d rounds compared equal)\n", equal, rounds);
    return Median(take_ms) < kLimitMs && Median(restore_ms) < kLimitMs ? 0 : 1;
}
