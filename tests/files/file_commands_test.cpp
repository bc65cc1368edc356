#include "files/file_commands.h"

#include <gtest/gtest.h>

#include "files/file_names.h"
#include "model/model_constants.h"
#include "temp_folder.h"

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

}  // namespace
}  // namespace orvel
