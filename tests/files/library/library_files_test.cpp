// The library's folders and files on a real disk: what is listed, what is read and what is
// refused, and the list of the user's folders.
#include <algorithm>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "files/library/library_folders.h"
#include "files/library/library_listing.h"
#include "files/library/library_record.h"
#include "files/library/library_table.h"
#include "tests/support/library_test_files.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/temp_folder.h"

namespace orvel {
namespace {

std::set<std::string> ListedBelow(const TempFolder& folder)
{
    std::set<std::string> names;
    for (const LibraryEntry& entry : ListLibraryFolder(folder.path()))
        names.insert(ShownNameBelow(entry.path, folder.path()));
    return names;
}

TEST(LibraryListing, FindsIniFilesBelowTheFolderAndNothingHiddenOrCircular)
{
    TempFolder folder;
    std::filesystem::create_directories(folder / "sub/deeper");
    std::filesystem::create_directories(folder / ".git");
    for (const char* name : {"a.ini", "sub/deeper/b.ini", ".hidden.ini", ".git/c.ini", "notes.txt", "UPPER.INI"})
        WriteText(folder / name, "[bank]\n");
    std::filesystem::create_symlink(folder / "sub/deeper/b.ini", folder / "link.ini");
    std::filesystem::create_directory_symlink(folder.path(), folder / "loop");
    std::filesystem::create_symlink(folder / "gone.ini", folder / "dangling.ini");

    EXPECT_EQ(ListedBelow(folder), (std::set<std::string>{"a.ini", "link.ini", "sub/deeper/b.ini"}));
    EXPECT_TRUE(ListLibraryFolder(folder / "missing").empty());
}

TEST(LibraryFile, TakesNamedPresetsInGridOrderWithTheGridsTexts)
{
    TempFolder folder;
    PresetTable table;
    PresetData lead;
    lead.modifier = "LOOP";
    lead.name = "Lead";
    lead.buffer = true;
    lead.loops = {true, false, true, false, false, false};
    lead.switches = {false, true, false, true};
    lead.midi1 = "12";
    lead.ctrls[6] = "tog";
    lead.aux = {true, false};
    table.SetRow(TableRowOfPreset(37), lead);
    table.SetText(TableRowOfPreset(0), kColumnName, "Last");
    table.SetText(TableRowOfPreset(11), kColumnName, "Clean");
    table.SetText(TableRowOfPreset(52), kColumnName, "   ");  // spaces name nothing
    std::filesystem::create_directories(folder / "live");
    ASSERT_EQ(SavePresetFile(folder / "live/gig.ini", table, SettingsData{}).status, FileStatus::Done);

    LibraryEntry entry;
    ASSERT_TRUE(StatLibraryFile(folder / "live/gig.ini", entry));
    const LibraryFile file = ReadLibraryFile(entry, folder.path());
    EXPECT_TRUE(file.preset_file);
    EXPECT_EQ(file.reason, "");
    EXPECT_EQ(file.shown_name, "live/gig.ini");
    ASSERT_EQ(file.presets.size(), 3U);
    EXPECT_EQ(file.presets[0].name, "Clean");  // 11 comes first in the grid, 0 last
    EXPECT_EQ(file.presets[2].name, "Last");

    const LibraryPreset& p = file.presets[1];
    std::vector<std::string> row;
    for (int column = 0; column < kLibraryColumnCount; ++column) row.push_back(LibraryCellText(file, p, column));
    EXPECT_EQ(row, (std::vector<std::string>{"live/gig.ini", "37", "Lead", "LOOP", "x", "1-3---", "-2-4", "12", "unu",
                                             "unu", "unu", "unu", "unu", "unu", "unu", "unu", "tog", "1-"}));
    EXPECT_EQ(LibraryColumnCaption(kLibraryColumnFirstControl + 6), "Ctrl 7");
}

// A file that is not a preset file is listed with the reason and gives no preset at all.
TEST(LibraryFile, RefusesWhatIsNoPresetFileWhole)
{
    TempFolder folder;
    const struct {
        const char* name;
        std::string text;
        const char* reason;
    } cases[] = {
        {"other.ini", "[window]\nwidth=3\n[preset]\nname=Nope\n", "it is not a preset file"},
        {"empty.ini", "", "it is not a preset file"},
        {"binary.ini",
         std::string("\x7f"
                     "ELF\0\x01\x02\xff\xfe",
                     9),
         ""},
        {"huge.ini", std::string(16 * 1024 * 1024 + 1, 'x'), "the file is too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteText(folder / c.name, c.text);
        LibraryEntry entry;
        ASSERT_TRUE(StatLibraryFile(folder / c.name, entry));
        const LibraryFile file = ReadLibraryFile(entry, folder.path());
        EXPECT_FALSE(file.preset_file);
        EXPECT_TRUE(file.presets.empty());
        EXPECT_FALSE(file.reason.empty());
        EXPECT_EQ(file.reason.rfind(c.reason, 0), 0U) << file.reason;
    }
    if (!RunningAsRoot()) {
        testing::WriteNamedSetup(folder / "locked.ini", {{37, "Lead"}});
        ::chmod((folder / "locked.ini").c_str(), 0);
        LibraryEntry entry;
        ASSERT_TRUE(StatLibraryFile(folder / "locked.ini", entry));
        const LibraryFile file = ReadLibraryFile(entry, folder.path());
        EXPECT_FALSE(file.preset_file);
        EXPECT_TRUE(file.presets.empty());
        EXPECT_NE(file.reason.find("ermission"), std::string::npos) << file.reason;
    }
}

TEST(LibraryFolders, DefaultFolderFollowsTheDataHome)
{
    {
        testing::ScopedEnvironment data("XDG_DATA_HOME", "/data/home");
        EXPECT_EQ(DefaultLibraryFolder(), "/data/home/orvel/library");
    }
    testing::ScopedEnvironment relative("XDG_DATA_HOME", "relative/data");  // ignored, as the rules say
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(DefaultLibraryFolder(), std::string(home) + "/.local/share/orvel/library");
}

TEST(LibraryFolders, AddsEachFolderOnceAndNeverOneInsideAnother)
{
    std::vector<std::string> list;
    const std::string base = "/music/orvel";
    const struct {
        std::string folder;
        bool added;
    } steps[] = {
        {"/music/sets/", true},  // kept tidy
        {"/music/sets", false},  // listed already
        {"/music/x/../sets", false},
        {"/music/sets/live", false},   // inside a listed one
        {"/music", false},             // holds one
        {"/music/orvel/mine", false},  // inside the default folder
        {"/music/setsandmore", true},  // a name that only starts alike
        {"/music/a\nb", false},        // the list's file cannot keep it
        {"", false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.folder);
        EXPECT_EQ(AddLibraryFolder(list, step.folder, base), step.added);
    }
    EXPECT_EQ(list, (std::vector<std::string>{"/music/sets", "/music/setsandmore"}));

    TempFolder user;
    ASSERT_EQ(SaveLibraryFolders(user / "config", list).status, FileStatus::Done);
    EXPECT_EQ(LoadLibraryFolders(user / "config"), list);
    EXPECT_TRUE(RemoveLibraryFolder(list, "/music/sets"));
    EXPECT_FALSE(RemoveLibraryFolder(list, "/music/sets"));
    ASSERT_EQ(SaveLibraryFolders(user / "config", list).status, FileStatus::Done);
    EXPECT_EQ(LoadLibraryFolders(user / "config"), (std::vector<std::string>{"/music/setsandmore"}));
    EXPECT_TRUE(LoadLibraryFolders(user / "nowhere").empty());
}

}  // namespace
}  // namespace orvel
