#include "files/file_commands.h"

#include <gtest/gtest.h>

#include "files/file_names.h"
#include "model/model_constants.h"
#include "tests/support/temp_folder.h"

namespace orvel {
namespace {

TEST(FileNames, IniExtensionReplacesTheLastExtensionOfTheName)
{
    EXPECT_EQ(WithIniExtension("setup.txt"), "setup.ini");
    EXPECT_EQ(WithIniExtension("/a/b/setup"), "/a/b/setup.ini");
    EXPECT_EQ(WithIniExtension("/a/v1.2/setup"), "/a/v1.2/setup.ini");
    EXPECT_EQ(WithIniExtension("live.2024.bak"), "live.2024.ini");
    EXPECT_EQ(WithIniExtension("gig.ini"), "gig.ini");
    EXPECT_EQ(WithIniExtension(""), ".ini");
    EXPECT_EQ(JoinPath("/tmp", "Orvel.ini"), "/tmp/Orvel.ini");
    EXPECT_EQ(JoinPath("/tmp/", "Orvel.ini"), "/tmp/Orvel.ini");
}

class FileCommands : public ::testing::Test {
protected:
    TempFolder folder;
    EditorState state;
};

TEST_F(FileCommands, OpeningSetupTxtLoadsSetupIniAndSaveWritesIt)
{
    WriteText(folder / "setup.txt", "[preset11]\nname=From txt\n");
    WriteText(folder / "setup.ini", "[preset11]\nname=From ini\n");

    ASSERT_EQ(OpenChosenFile(state, folder / "setup.txt").status, FileStatus::Done);
    EXPECT_EQ(state.current_file, folder / "setup.txt");
    EXPECT_TRUE(state.save_enabled);
    EXPECT_EQ(state.table.GetRow(TableRowOfPreset(11)).name, "From ini");

    state.table.SetText(TableRowOfPreset(11), kColumnName, "Changed");
    EXPECT_FALSE(SaveNeedsName(state));
    ASSERT_EQ(SaveCurrentFile(state).status, FileStatus::Done);
    EXPECT_EQ(ReadText(folder / "setup.txt"), "[preset11]\nname=From txt\n");
    EXPECT_NE(ReadText(folder / "setup.ini").find("name=Changed\n"), std::string::npos);
}

TEST_F(FileCommands, OpeningWithoutAnIniFileLoadsNothing)
{
    WriteText(folder / "other.txt", "");
    ASSERT_EQ(OpenChosenFile(state, folder / "other.txt").status, FileStatus::NotFound);
    EXPECT_EQ(state.current_file, folder / "other.txt");
    EXPECT_TRUE(state.save_enabled);
    EXPECT_EQ(state.table.GetRow(TableRowOfPreset(11)), PresetData{});
}

TEST_F(FileCommands, OpeningAnUnreadableFileChangesNothing)
{
    std::filesystem::create_directory(folder / "odd.ini");
    const FileResult result = OpenChosenFile(state, folder / "odd.txt");
    EXPECT_EQ(result.status, FileStatus::Failed);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(state.current_file, "");
    EXPECT_FALSE(state.save_enabled);
}

TEST_F(FileCommands, OpeningAFileThatIsNoPresetFileChangesNothing)
{
    std::string noise(5000, '\0');
    std::uint32_t seed = 12345;
    for (char& c : noise) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 24);
    }
    const std::pair<const char*, std::string> cases[] = {
        {"random.ini", noise},
        {"empty.ini", ""},
        {"other.ini", "[General]\npreset11=1\nsettings=2\n[preset]\n[preset100]\n[preset05]\n"},
    };
    const int row = TableRowOfPreset(11);
    state.table.SetText(row, kColumnName, "Mine");
    state.table.SetText(row, kColumnMidi1, "12");
    state.settings.midi_channels[0] = "9";
    state.current_file = folder / "mine.ini";
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        WriteText(folder / name, text);
        const FileResult result = OpenChosenFile(state, folder / name);
        EXPECT_EQ(result.status, FileStatus::Failed);
        EXPECT_NE(result.reason.find("not a preset file"), std::string::npos);
        EXPECT_NE(result.reason.find(folder / name), std::string::npos);
        EXPECT_EQ(state.table.GetRow(row).name, "Mine");
        EXPECT_EQ(state.table.GetRow(row).midi1, "12");
        EXPECT_EQ(state.settings.midi_channels[0], "9");
        EXPECT_EQ(state.current_file, folder / "mine.ini");
        EXPECT_FALSE(state.save_enabled);
        EXPECT_EQ(ReadText(folder / name), text);
    }
}

TEST_F(FileCommands, AnyOneSectionOfAPresetFileInAnyCaseLoads)
{
    const std::pair<const char*, const char*> cases[] = {
        {"settings.ini", "[SETTINGS]\nmidi1=5\n"},
        {"bank.ini", "[Bank]\nwp3=0\n"},
        {"preset.ini", "[PRESET0]\nname=Last\n"},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        EditorState fresh;
        WriteText(folder / name, text);
        ASSERT_EQ(OpenChosenFile(fresh, folder / name).status, FileStatus::Done);
        EXPECT_EQ(fresh.current_file, folder / name);
        EXPECT_TRUE(fresh.save_enabled);
    }
    EditorState settings_only;
    settings_only.table.SetText(TableRowOfPreset(11), kColumnName, "Gone");
    ASSERT_EQ(OpenChosenFile(settings_only, folder / "settings.ini").status, FileStatus::Done);
    EXPECT_EQ(settings_only.settings.midi_channels[0], "5");
    EXPECT_EQ(settings_only.settings.midi_channels[1], "2");
    EXPECT_EQ(settings_only.table.GetRow(TableRowOfPreset(11)).name, "");  // missing rows: defaults
}

TEST_F(FileCommands, SaveAsNamesTheIniFileOnlyWhenItWorked)
{
    EXPECT_TRUE(SaveNeedsName(state));
    EXPECT_EQ(SaveCurrentFile(state).status, FileStatus::Failed);

    EXPECT_EQ(SaveFileAs(state, folder / "nowhere/x.txt").status, FileStatus::Failed);
    EXPECT_EQ(state.current_file, "");
    EXPECT_FALSE(state.save_enabled);

    ASSERT_EQ(SaveFileAs(state, folder / "new.txt").status, FileStatus::Done);
    EXPECT_EQ(state.current_file, folder / "new.ini");
    EXPECT_TRUE(state.save_enabled);
    EXPECT_TRUE(std::filesystem::exists(folder / "new.ini"));
    EXPECT_FALSE(std::filesystem::exists(folder / "new.txt"));
}

// Whether closing would lose something: opening and saving mark the set-up as saved, an
// edit undone by hand counts as no change, and a set-up read from the controller with no
// file name is unsaved even when it equals what the editor started with.
TEST_F(FileCommands, UnsavedChangesFollowTheSetUpNotItsHistory)
{
    EXPECT_TRUE(HasUnsavedChanges(state));  // never marked
    MarkSaved(state);
    EXPECT_FALSE(HasUnsavedChanges(state));
    state.read_from_controller = true;
    EXPECT_TRUE(HasUnsavedChanges(state));

    WriteText(folder / "first.ini", "[preset11]\nname=Lead\n");
    ASSERT_EQ(OpenChosenFile(state, folder / "first.ini").status, FileStatus::Done);
    EXPECT_FALSE(HasUnsavedChanges(state));
    const int row = TableRowOfPreset(11);
    state.table.SetText(row, kColumnName, "Solo");
    EXPECT_TRUE(HasUnsavedChanges(state));
    state.table.SetText(row, kColumnName, "Lead");
    EXPECT_FALSE(HasUnsavedChanges(state));
    state.read_from_controller = true;  // the file holds the same: nothing would be lost
    EXPECT_FALSE(HasUnsavedChanges(state));

    state.settings.keys[3] = "ot1";
    EXPECT_EQ(SaveFileAs(state, folder / "no-such-folder/x").status, FileStatus::Failed);
    EXPECT_TRUE(HasUnsavedChanges(state));
    ASSERT_EQ(SaveCurrentFile(state).status, FileStatus::Done);
    EXPECT_FALSE(HasUnsavedChanges(state));
}

}  // namespace
}  // namespace orvel
