// Finding a destination that cannot be written before any work is done for it, and making
// the folder a file goes into.
#include "files/file_io.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <gtest/gtest.h>

#include "files/app_config.h"
#include "files/preset_file.h"
#include "files/recent_files.h"
#include "model/model_constants.h"
#include "tests/support/temp_folder.h"

namespace orvel {
namespace {

TEST(CheckReplaceable, NamesThePathAndTheReasonAndLeavesNothingBehind)
{
    TempFolder folder;
    const std::string missing_folder = folder / "no-such-folder/setup.ini";
    FileResult result = CheckReplaceable(missing_folder);
    EXPECT_EQ(result.status, FileStatus::Failed);
    EXPECT_EQ(result.reason, "Cannot save \"" + missing_folder + "\": No such file or directory");

    result = CheckReplaceable(folder.path());
    EXPECT_EQ(result.reason, "Cannot save \"" + folder.path() + "\": Is a directory");

    // A new file and an existing one can both be written; neither the folder nor the file
    // changes on the way.
    EXPECT_EQ(CheckReplaceable(folder / "new.ini").status, FileStatus::Done);
    WriteText(folder / "old.ini", "[settings]\nmidi1=4\n");
    EXPECT_EQ(CheckReplaceable(folder / "old.ini").status, FileStatus::Done);
    EXPECT_EQ(ReadText(folder / "old.ini"), "[settings]\nmidi1=4\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

// The folder a settings file goes into is made with the folders above it; a file standing
// where a folder must be is that file's save failure.
TEST(MakeFolderFor, MakesTheFoldersOrNamesTheFileThatCannotBeSaved)
{
    TempFolder folder;
    const std::string nested = folder / "a/b";
    EXPECT_EQ(MakeFolderFor(nested, nested + "/recent.ini").status, FileStatus::Done);
    EXPECT_TRUE(std::filesystem::is_directory(nested));
    EXPECT_EQ(MakeFolderFor(nested, nested + "/recent.ini").status, FileStatus::Done);  // already there

    WriteText(folder / "plain", "");
    const std::string blocked = folder / "plain/orvel";
    const FileResult result = MakeFolderFor(blocked, blocked + "/recent.ini");
    EXPECT_EQ(result.status, FileStatus::Failed);
    EXPECT_EQ(result.reason, "Cannot save \"" + blocked + "/recent.ini\": Not a directory");
}

TEST(CheckReplaceable, RefusesAFolderItMayNotWriteIn)
{
    if (RunningAsRoot()) GTEST_SKIP() << "root may write in any folder";
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
    const FileResult result = CheckReplaceable(folder / "setup.ini");
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(result.reason, "Cannot save \"" + (folder / "setup.ini") + "\": Permission denied");
}

// A file name is the bytes it was given, whatever they are, up to the longest the folder
// takes: a preset file is saved under it and found again, Orvel.ini and the recent files
// keep it, and no other file appears beside it.
TEST(FileNames, AnyNameTheFolderTakesIsSavedKeptAndFoundAsItsBytes)
{
    const std::vector<std::string> names{
        "caf\xe9.ini",                       // Latin-1: no UTF-8 text names it
        "caf\xe8.ini",                       // one byte from it: another file
        std::string(236 - 4, 'n') + ".ini",  // the shortest name whose temporary name was too long
        std::string(255 - 4, 'n') + ".ini",  // the longest name the folder takes
    };
    TempFolder folder;
    TempFolder user;
    const ConfigPlaces places{folder.path(), user.path() + "/orvel"};
    RecentFiles recent;
    for (const std::string& name : names) {
        const std::string path = folder / name;
        EditorState state;
        state.table.SetText(TableRowOfPreset(37), kColumnName, name.substr(0, 15));
        ASSERT_EQ(SavePresetFile(path, state.table, state.settings).status, FileStatus::Done) << name.size();
        ASSERT_EQ(ReplaceFileContents(path, ReadText(path)).status, FileStatus::Done) << "replaced";
        state.current_file = path;
        ASSERT_EQ(WriteConfiguration(state, places).status, FileStatus::Done);
        AddRecentFile(recent, path);

        EditorState next;
        ASSERT_EQ(ReadConfiguration(next, places).status, FileStatus::Done);
        EXPECT_EQ(next.current_file, path);
        EXPECT_EQ(next.table.GetRow(TableRowOfPreset(37)).name, name.substr(0, 15));
    }
    ASSERT_EQ(SaveRecentFiles(places.user_folder, recent).status, FileStatus::Done);
    const RecentFiles loaded = LoadRecentFiles(places.user_folder);
    EXPECT_EQ(loaded, recent);
    EXPECT_EQ(loaded.front(), folder / names.back());

    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        found.push_back(entry.path().filename().string());
    std::vector<std::string> expected = names;  // Orvel.ini went to the user folder
    std::sort(found.begin(), found.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace orvel
