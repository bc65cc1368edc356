// "Compare with file" without a window: a set-up against a preset file on disk.
#include "files/file_comparison.h"

#include <gtest/gtest.h>

#include "files/preset_file.h"
#include "model/model_constants.h"
#include "tests/support/temp_folder.h"

namespace orvel {
namespace {

TEST(CompareWithFile, FindsWhatAControllerWouldStoreDifferently)
{
    TempFolder folder;
    PresetTable file_table;
    file_table.SetText(TableRowOfPreset(37), kColumnMidi1, "7");
    file_table.SetText(TableRowOfPreset(37), kColumnName, "Lead");
    SettingsData file_settings;
    file_settings.keys[5] = "n3A";
    ASSERT_EQ(SavePresetFile(folder / "gig.ini", file_table, file_settings).status, FileStatus::Done);

    const struct {
        const char* what;
        int column;
        std::string value;
        std::vector<std::string> differing;  // "field: editor / file"
    } cases[] = {
        {"the same bytes, another name", kColumnName, "Solo", {"MIDI MODE: n3P / n3A"}},
        {"a value written another way", kColumnMidi1, "007", {"MIDI MODE: n3P / n3A"}},
        {"another value", kColumnMidi1, "8", {"MIDI1: 8 / 7", "MIDI MODE: n3P / n3A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PresetTable table = file_table;
        table.SetText(TableRowOfPreset(37), c.column, c.value);
        SettingsData settings = file_settings;
        settings.keys[5] = "n3P";  // a controller that knows every code keeps the AUX mode apart
        std::vector<SetupDifference> differences;
        ASSERT_EQ(CompareWithPresetFile(table, settings, folder / "gig.ini", differences).status, FileStatus::Done);
        std::vector<std::string> found;
        for (const SetupDifference& d : differences)
            found.push_back(d.field + ": " + d.editor_value + " / " + d.controller_value);
        EXPECT_EQ(found, c.differing);
    }

    WriteText(folder / "other.ini", "[window]\n");
    std::vector<SetupDifference> differences{SetupDifference{}};
    EXPECT_EQ(CompareWithPresetFile(file_table, file_settings, folder / "other.ini", differences).status,
              FileStatus::Failed);
    EXPECT_TRUE(differences.empty());
    EXPECT_EQ(CompareWithPresetFile(file_table, file_settings, folder / "none.ini", differences).status,
              FileStatus::NotFound);
}

}  // namespace
}  // namespace orvel
