// The recent files list: its order and limit, and keeping it in the configuration folder.
#include "files/recent_files.h"

#include <algorithm>
#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace orvel {
namespace {

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAtMostEight)
{
    RecentFiles list;
    for (int i = 1; i <= 10; ++i) AddRecentFile(list, "/songs/set" + std::to_string(i) + ".ini");
    ASSERT_EQ(list.size(), kRecentFileCount);
    EXPECT_EQ(list.front(), "/songs/set10.ini");
    EXPECT_EQ(list.back(), "/songs/set3.ini");

    // Opening one again moves it to the top; the same file written another way is one entry.
    AddRecentFile(list, "/songs/./live/../set5.ini");
    ASSERT_EQ(list.size(), kRecentFileCount);
    EXPECT_EQ(list[0], "/songs/set5.ini");
    EXPECT_EQ(list[1], "/songs/set10.ini");
    EXPECT_EQ(std::count(list.begin(), list.end(), "/songs/set5.ini"), 1);

    // Nothing the list's file cannot keep.
    AddRecentFile(list, "");
    AddRecentFile(list, "/songs/two\nlines.ini");
    EXPECT_EQ(list[0], "/songs/set5.ini");

    EXPECT_TRUE(RemoveRecentFile(list, "/songs/set10.ini"));
    EXPECT_FALSE(RemoveRecentFile(list, "/songs/set10.ini"));
    EXPECT_EQ(list[1], "/songs/set9.ini");
}

TEST(RecentFiles, ARelativePathIsKeptAgainstTheFolderItWasChosenIn)
{
    TempFolder folder;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    RecentFiles list;
    AddRecentFile(list, "gig.ini");
    std::filesystem::current_path(before);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], std::filesystem::path(folder.path()).lexically_normal().string() + "/gig.ini");
}

TEST(RecentFiles, KeptInTheUserFolderWhichIsMadeWhenMissing)
{
    TempFolder home;
    const std::string user_folder = home / "config/orvel";
    EXPECT_TRUE(LoadRecentFiles(user_folder).empty());

    RecentFiles list;
    for (const char* path : {"/a/one.ini", "/b/two & three.ini", "/c/ąę.ini"}) AddRecentFile(list, path);
    ASSERT_EQ(SaveRecentFiles(user_folder, list).status, FileStatus::Done);
    EXPECT_EQ(LoadRecentFiles(user_folder), list);

    // A shorter list leaves no old entry behind.
    list.pop_back();
    ASSERT_EQ(SaveRecentFiles(user_folder, list).status, FileStatus::Done);
    EXPECT_EQ(LoadRecentFiles(user_folder), list);

    // A hand-edited file: empty and repeated entries are skipped, entries past eight ignored.
    WriteText(RecentFilesPath(user_folder),
              "[recent]\nFILE1=/x.ini\nFILE2=\nFILE3=/x.ini\nFILE4=/y.ini\nFILE9=/z.ini\n");
    EXPECT_EQ(LoadRecentFiles(user_folder), (RecentFiles{"/x.ini", "/y.ini"}));

    EXPECT_EQ(SaveRecentFiles("", list).status, FileStatus::Failed);
    EXPECT_TRUE(LoadRecentFiles("").empty());
}

}  // namespace
}  // namespace orvel
