// Finding a destination that cannot be written before any work is done for it, and making
// the folder a file goes into.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "files/file_io.h"
#include "temp_folder.h"

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

}  // namespace
}  // namespace orvel
