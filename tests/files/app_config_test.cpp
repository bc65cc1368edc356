#include "files/app_config.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "files/preset_file.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/temp_folder.h"

namespace orvel {
namespace {

class AppConfig : public ::testing::Test {
protected:
    AppConfig() : places{working.path(), user.path() + "/orvel"} {}

    TempFolder working;
    TempFolder user;
    ConfigPlaces places;
    EditorState state;
};

TEST_F(AppConfig, PortIsClampedAndDefaultsToOne)
{
    const std::pair<const char*, int> cases[] = {
        {"[CONFIG]\nCOM=42\n", 42},
        {"[CONFIG]\nCOM=0\n", 1},
        {"[CONFIG]\nCOM=150\n", 99},
        {"[CONFIG]\nCOM=-7\n", 1},
        {"[CONFIG]\nCOM=abc\n", 1},
        {"[config]\ncom=99\n", 99},
        {"[CONFIG]\nFILE=x\n", 1},
        {"[CONFIG]\nCOM=99999999999999999999999\n", 99},
        {"", 1},
    };
    for (const auto& [text, port] : cases) EXPECT_EQ(ParseConfigText(text).port_number, port) << text;
    EXPECT_EQ(ParseConfigText("[CONFIG]\nFILE=/a b/\xE9.ini\n").file, "/a b/\xE9.ini");
}

TEST_F(AppConfig, NoConfigurationChangesNothing)
{
    EXPECT_EQ(ReadConfiguration(state, places).status, FileStatus::NotFound);
    EXPECT_EQ(state.port_number, 6);
    EXPECT_FALSE(state.save_enabled);
    EXPECT_EQ(state.current_file, "");
}

TEST_F(AppConfig, RemembersAndLoadsTheLastFile)
{
    WriteText(working / "setup.txt", "not read");
    WriteText(working / "setup.ini", "[preset11]\nname=Remembered\n");
    WriteText(working / "Orvel.ini", "[CONFIG]\nCOM=12\nFILE=" + (working / "setup.txt") + "\n");

    ASSERT_EQ(ReadConfiguration(state, places).status, FileStatus::Done);
    EXPECT_EQ(state.port_number, 12);
    EXPECT_EQ(state.current_file, working / "setup.txt");
    EXPECT_TRUE(state.save_enabled);
    EXPECT_EQ(state.table.GetRow(TableRowOfPreset(11)).name, "Remembered");
}

TEST_F(AppConfig, AFileThatIsGoneClearsTheName)
{
    WriteText(working / "Orvel.ini", "[CONFIG]\nFILE=" + (working / "gone.ini") + "\n");
    ASSERT_EQ(ReadConfiguration(state, places).status, FileStatus::Done);
    EXPECT_EQ(state.port_number, 1);
    EXPECT_EQ(state.current_file, "");
    EXPECT_TRUE(state.save_enabled);
}

TEST_F(AppConfig, UnreadableFilesAreReported)
{
    std::filesystem::create_directory(working / "Orvel.ini");  // there, but no file
    EXPECT_EQ(ReadConfiguration(state, places).status, FileStatus::Failed);
    EXPECT_FALSE(state.save_enabled);
    std::filesystem::remove(working / "Orvel.ini");

    std::filesystem::create_directory(working / "dir.ini");
    WriteText(working / "dir.txt", "");
    WriteText(working / "Orvel.ini", "[CONFIG]\nCOM=3\nFILE=" + (working / "dir.txt") + "\n");
    const FileResult result = ReadConfiguration(state, places);
    EXPECT_EQ(result.status, FileStatus::Failed);
    EXPECT_NE(result.reason.find("dir.ini"), std::string::npos);
    EXPECT_EQ(state.port_number, 3);  // the rest of the configuration still holds
    EXPECT_TRUE(state.save_enabled);
    EXPECT_EQ(state.current_file, "");  // "Save" asks for a name rather than write there
}

TEST_F(AppConfig, ARememberedFileThatIsNoPresetFileIsNeitherLoadedNorKept)
{
    WriteText(working / "notes.ini", "[shopping]\nmilk=1\n");
    WriteText(working / "Orvel.ini", "[CONFIG]\nFILE=" + (working / "notes.ini") + "\n");
    const FileResult result = ReadConfiguration(state, places);
    EXPECT_EQ(result.status, FileStatus::Failed);
    EXPECT_NE(result.reason.find("not a preset file"), std::string::npos);
    EXPECT_EQ(state.current_file, "");
    EXPECT_EQ(ReadText(working / "notes.ini"), "[shopping]\nmilk=1\n");
}

TEST_F(AppConfig, WritesPortAndFileKeepingTheRest)
{
    state.port_number = 7;
    state.current_file = "/music/gig.txt";
    ASSERT_EQ(WriteConfiguration(state, places).status, FileStatus::Done);
    EXPECT_EQ(ReadText(user / "orvel/Orvel.ini"), "[CONFIG]\nCOM=7\nFILE=/music/gig.ini\n");

    WriteText(user / "orvel/Orvel.ini", "[window]\nleft=10\n\n[config]\nfile=old\nextra=1\n");
    state.current_file.clear();
    ASSERT_EQ(WriteConfiguration(state, places).status, FileStatus::Done);
    EXPECT_EQ(ReadText(user / "orvel/Orvel.ini"), "[window]\nleft=10\n\n\n[config]\nfile=.ini\nextra=1\nCOM=7\n");
}

// Settings live in the user's configuration folder: a run leaves nothing in the working
// folder, and the next run reads what it wrote. A working folder with an Orvel.ini of its
// own (a portable folder) wins, for reading and for writing.
TEST_F(AppConfig, LivesInTheUserFolderUnlessTheWorkingFolderHoldsOne)
{
    state.port_number = 33;
    ASSERT_EQ(WriteConfiguration(state, places).status, FileStatus::Done);
    EXPECT_EQ(ReadText(user / "orvel/Orvel.ini"), "[CONFIG]\nCOM=33\nFILE=.ini\n");
    EXPECT_TRUE(std::filesystem::is_empty(working.path()));
    EXPECT_EQ(ConfigFileToRead(places), user / "orvel/Orvel.ini");
    EditorState next;
    ASSERT_EQ(ReadConfiguration(next, places).status, FileStatus::Done);
    EXPECT_EQ(next.port_number, 33);

    WriteText(working / "Orvel.ini", "[CONFIG]\nCOM=4\n");
    ASSERT_EQ(ReadConfiguration(next, places).status, FileStatus::Done);
    EXPECT_EQ(next.port_number, 4);
    next.port_number = 5;
    ASSERT_EQ(WriteConfiguration(next, places).status, FileStatus::Done);
    EXPECT_EQ(ReadText(working / "Orvel.ini"), "[CONFIG]\nCOM=5\nFILE=.ini\n");
    EXPECT_EQ(ReadText(user / "orvel/Orvel.ini"), "[CONFIG]\nCOM=33\nFILE=.ini\n");

    std::filesystem::remove(working / "Orvel.ini");
    places.user_folder.clear();
    EXPECT_EQ(WriteConfiguration(state, places).status, FileStatus::Failed);
    EXPECT_TRUE(std::filesystem::is_empty(working.path()));
}

TEST(ConfigPlacesOfProcess, UserFolderFollowsXdgThenHome)
{
    const testing::ScopedEnvironment home("HOME", "/home/ann");
    {
        const testing::ScopedEnvironment config("XDG_CONFIG_HOME", "/cfg/");
        EXPECT_EQ(CurrentConfigPlaces().user_folder, "/cfg/orvel");
    }
    const testing::ScopedEnvironment config("XDG_CONFIG_HOME", "cfg");  // relative: not taken
    EXPECT_EQ(CurrentConfigPlaces().user_folder, "/home/ann/.config/orvel");
    EXPECT_EQ(CurrentConfigPlaces().working_folder, std::filesystem::current_path().string());
}

}  // namespace
}  // namespace orvel
