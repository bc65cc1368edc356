#include "files/preset_file.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "tests/support/temp_folder.h"

namespace orvel {
namespace {

// Section names in grid order, worked out here from the bank and preset order 1-9, 0.
std::vector<std::string> SectionsInGridOrder()
{
    const int digits[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
    std::vector<std::string> sections;
    for (int bank : digits)
        for (int preset : digits) sections.push_back("preset" + std::to_string(bank * 10 + preset));
    return sections;
}

std::string StartStateText()
{
    std::string text;
    for (const std::string& section : SectionsInGridOrder()) {
        text += "[" + section + "]\nmodifier=PRESET\nname=\nbuffer=0\n";
        for (int i = 1; i <= 6; ++i) text += "l" + std::to_string(i) + "=0\n";
        for (int i = 1; i <= 4; ++i) text += "sw" + std::to_string(i) + "=0\n";
        text += "midi1=unu\nmidi2=unu\nmidi3_pc=unu\n";
        for (int i = 1; i <= 7; ++i) text += "ctrl" + std::to_string(i) + "=unu\n";
        text += "aux1=0\naux2=0\n\n\n";  // two blank lines between sections
    }
    text +=
        "[settings]\nkey1=cb1\nkey2=uP0\nkey3=uL1\nkey4=ot0\nkey5=tt0\nkey6=n3P\nkey7=tu1\nkey8=AF1\n"
        "midi1=1\nmidi2=2\nmidi3=3\n";
    for (int i = 1; i <= 7; ++i) text += "ctrl" + std::to_string(i) + "=" + std::to_string(80 + i) + "\n";
    text += "\n\n[bank]\n";
    for (int i = 0; i <= 9; ++i) text += "wp" + std::to_string(i) + "=1\n";
    return text;
}

int RowOf(int preset)  // table row of a preset number
{
    return TableRowOfPreset(static_cast<std::uint8_t>(preset));
}

// Every kind of value a cell can hold.
void FillEverything(PresetTable& table, SettingsData& settings)
{
    const char* modifiers[] = {"PRESET", "LOOP", "SWITCH", "MIDI"};
    for (int row = kHeaderRowCount; row < kTableRowCount; ++row) {
        const int i = row - kHeaderRowCount;
        PresetData p;
        p.modifier = modifiers[i % 4];
        p.name = i % 3 == 0 ? std::string("Cr\xE9me \xFF=;[x]") : "Lead " + std::to_string(i);
        p.buffer = i % 2 == 0;
        for (int k = 0; k < 6; ++k) p.loops[static_cast<std::size_t>(k)] = (i + k) % 3 == 0;
        for (int k = 0; k < 4; ++k) p.switches[static_cast<std::size_t>(k)] = (i + k) % 2 == 1;
        p.midi1 = i % 5 == 0 ? "unu" : std::to_string(1 + i);
        p.midi2 = "128";
        p.midi3_pc = i % 7 == 0 ? "unu" : "1";
        p.ctrls = {"tog", "128", "0", "unu", std::to_string(i), "127", i % 2 ? "tog" : "64"};
        p.aux = {i % 4 == 1, i % 4 == 2};
        table.SetRow(row, p);
    }
    table.SetText(RowOf(7), kColumnModifier, "odd");  // not a modifier: kept as text (row was PRESET)
    for (int digit = 0; digit < 10; ++digit) table.SetBankFunction(digit, digit % 3 != 0);
    settings.midi_channels = {"16", "9", "1"};
    settings.ctrl_numbers = {"0", "127", "7", "1", "2", "3", "100"};
    settings.keys = {"cb3", "uP2", "uL6", "ot1", "tt1", "n3A", "tu?", "AF2"};
}

void ExpectSameSetUp(const PresetTable& a, const PresetTable& b)
{
    for (int row = kHeaderRowCount; row < kTableRowCount; ++row) {
        for (int column = 0; column < kColumnCount; ++column) {
            const TableCell& x = a.Cell(row, column);
            const TableCell& y = b.Cell(row, column);
            EXPECT_EQ(x.text, y.text) << row << "," << column;
            EXPECT_EQ(x.checked, y.checked) << row << "," << column;
            EXPECT_EQ(x.active, y.active) << row << "," << column;
        }
    }
    EXPECT_EQ(a.AllBankFunctions(), b.AllBankFunctions());
}

class PresetFile : public ::testing::Test {
protected:
    TempFolder folder;
    PresetTable table;
    SettingsData settings;
};

TEST_F(PresetFile, StartStateSavesEveryKeyInOrder)
{
    const std::string path = folder / "start.ini";
    ASSERT_EQ(SavePresetFile(path, table, settings).status, FileStatus::Done);
    EXPECT_EQ(ReadText(path), StartStateText());
}

TEST_F(PresetFile, EveryKindOfValueRoundTrips)
{
    FillEverything(table, settings);
    const std::string path = folder / "all.ini";
    ASSERT_EQ(SavePresetFile(path, table, settings).status, FileStatus::Done);

    PresetTable loaded_table;
    SettingsData loaded_settings;
    ASSERT_EQ(LoadPresetFile(path, loaded_table, loaded_settings).status, FileStatus::Done);
    ExpectSameSetUp(table, loaded_table);
    EXPECT_EQ(loaded_settings, settings);
    EXPECT_FALSE(loaded_table.Cell(RowOf(12), kColumnMidi1).active);  // a LOOP row keeps its MIDI values inactive

    // Saving what was loaded over the same file changes nothing.
    const std::string first = ReadText(path);
    ASSERT_EQ(SavePresetFile(path, loaded_table, loaded_settings).status, FileStatus::Done);
    EXPECT_EQ(ReadText(path), first);
}

TEST_F(PresetFile, SectionAndKeyNamesMatchInAnyCase)
{
    WriteText(folder / "case.ini", "[PRESET5]\nMIDI1=7\nL2=1\nSw1=x\nName=Lead\n[Preset6]\nmidi2=8\n");
    ASSERT_EQ(LoadPresetFile(folder / "case.ini", table, settings).status, FileStatus::Done);
    const PresetData five = table.GetRow(RowOf(5));
    EXPECT_EQ(five.midi1, "7");
    EXPECT_EQ(five.name, "Lead");
    EXPECT_TRUE(five.loops[1]);
    EXPECT_FALSE(five.switches[0]);  // not a number: the default
    EXPECT_EQ(table.GetRow(RowOf(6)).midi2, "8");
}

TEST_F(PresetFile, OlderLayoutShiftsControlsAndMissingKeysGetDefaults)
{
    table.SetText(RowOf(11), kFirstControlColumn + 6, "42");
    table.SetText(RowOf(12), kFirstControlColumn + 6, "43");
    table.SetText(RowOf(13), kColumnMidi1, "9");
    WriteText(folder / "old.ini",
              "[preset11]\nmodifier=MIDI\nctrl1=5\nctrl2=6\nctrl3=7\nctrl4=8\nctrl5=9\nctrl6=10\nctrl7=11\n"
              "[preset12]\nmidi3_pc=\nctrl1=tog\nctrl7=unu\n"
              "[preset13]\nmidi2=3\n");
    ASSERT_EQ(LoadPresetFile(folder / "old.ini", table, settings).status, FileStatus::Done);

    const PresetData old = table.GetRow(RowOf(11));
    EXPECT_EQ(old.midi3_pc, "5");
    EXPECT_EQ(old.ctrls, (std::array<std::string, 7>{"6", "7", "8", "9", "10", "11", "42"}));
    EXPECT_FALSE(table.Cell(RowOf(11), kColumnBuffer).active);  // MIDI applied

    const PresetData empty_pc = table.GetRow(RowOf(12));  // an empty midi3_pc is the older layout too
    EXPECT_EQ(empty_pc.midi3_pc, "tog");
    EXPECT_EQ(empty_pc.ctrls[5], "unu");
    EXPECT_EQ(empty_pc.ctrls[6], "43");

    const PresetData no_midi1 = table.GetRow(RowOf(13));
    EXPECT_EQ(no_midi1.midi1, "");  // empty, not "unu"
    EXPECT_EQ(no_midi1.midi2, "3");
    EXPECT_EQ(no_midi1.modifier, "PRESET");

    EXPECT_EQ(table.GetRow(RowOf(0)).midi2, "");  // a missing section: the key defaults
    EXPECT_EQ(settings, SettingsData{});
    EXPECT_TRUE(table.BankFunction(0));
}

TEST_F(PresetFile, BoolsReadAsIntegersAndNamesMatchWithoutCase)
{
    WriteText(folder / "mixed.ini",
              "[PRESET11]\nMODIFIER=LOOP\nBuffer=yes\nL1=-3\nl2= 1 \nsw1=0x1\naux2=2\nNAME=Big\n"
              "[Settings]\nKEY1=cb0\nMidi2=7\nCTRL7=9\n"
              "[BANK]\nWP0=0\nwp1=abc\nwp2=\n");
    ASSERT_EQ(LoadPresetFile(folder / "mixed.ini", table, settings).status, FileStatus::Done);

    const PresetData p = table.GetRow(RowOf(11));
    EXPECT_EQ(p.modifier, "LOOP");
    EXPECT_EQ(p.name, "Big");
    EXPECT_FALSE(p.buffer);   // not a number: the default
    EXPECT_TRUE(p.loops[0]);  // any non-zero number
    EXPECT_TRUE(p.loops[1]);
    EXPECT_FALSE(p.switches[0]);
    EXPECT_TRUE(p.aux[1]);
    EXPECT_EQ(settings.keys[0], "cb0");
    EXPECT_EQ(settings.midi_channels[1], "7");
    EXPECT_EQ(settings.ctrl_numbers[6], "9");
    EXPECT_FALSE(table.BankFunction(0));
    EXPECT_TRUE(table.BankFunction(1));
    EXPECT_TRUE(table.BankFunction(2));

    // Saving updates the keys where they stand, spelled as they were, without adding twins.
    ASSERT_EQ(SavePresetFile(folder / "mixed.ini", table, settings).status, FileStatus::Done);
    const std::string saved = ReadText(folder / "mixed.ini");
    EXPECT_TRUE(saved.starts_with("[PRESET11]\nMODIFIER=LOOP\nBuffer=0\nL1=1\nl2=1\nsw1=0\naux2=1\nNAME=Big\n"));
    EXPECT_EQ(saved.find("[preset11]"), std::string::npos);
    EXPECT_NE(saved.find("[preset12]\nmodifier=PRESET\n"), std::string::npos);
    EXPECT_NE(saved.find("[BANK]\nWP0=0\nwp1=1\nwp2=1\n"), std::string::npos);
}

TEST_F(PresetFile, SavingKeepsWhatItDoesNotWrite)
{
    const std::string path = folder / "kept.ini";
    WriteText(path,
              "; set-up for the Friday gig\n\n"
              "[notes]\n; who plays what\nwho=me\n"
              "[preset11]\nname=Old\ncolour=red\n");
    table.SetText(RowOf(11), kColumnName, "New");
    ASSERT_EQ(SavePresetFile(path, table, settings).status, FileStatus::Done);

    const std::string saved = ReadText(path);
    EXPECT_TRUE(
        saved.starts_with("; set-up for the Friday gig\n\n\n[notes]\n\n; who plays what\nwho=me\n\n\n"
                          "[preset11]\nname=New\ncolour=red\nmodifier=PRESET\nbuffer=0\n"))
        << saved.substr(0, 200);
    EXPECT_NE(saved.find("[preset12]"), std::string::npos);
    EXPECT_NE(saved.find("\n[bank]\n"), std::string::npos);
}

TEST_F(PresetFile, AnUnclosedSectionLineIsKeptAsAComment)
{
    // Found by fuzzing: the parser filed the keys after "[broken" under a section named
    // "broken\nname", which a save then wrote out as two lines.
    const std::string path = folder / "broken.ini";
    WriteText(path, "[preset11]\nname=A\n  [broken\nmidi1=7\n");
    ASSERT_EQ(LoadPresetFile(path, table, settings).status, FileStatus::Done);
    EXPECT_EQ(table.GetRow(RowOf(11)).midi1, "7");
    ASSERT_EQ(SavePresetFile(path, table, settings).status, FileStatus::Done);
    const std::string saved = ReadText(path);
    EXPECT_TRUE(saved.starts_with("[preset11]\nname=A\n\n;[broken\nmidi1=7\n")) << saved.substr(0, 80);
}

TEST_F(PresetFile, MissingAndUnreadableFiles)
{
    FillEverything(table, settings);
    const PresetTable before_table = table;
    const SettingsData before_settings = settings;

    EXPECT_EQ(LoadPresetFile(folder / "none.ini", table, settings).status, FileStatus::NotFound);
    EXPECT_EQ(LoadPresetFile("", table, settings).status, FileStatus::NotFound);

    const FileResult folder_result = LoadPresetFile(folder.path(), table, settings);
    EXPECT_EQ(folder_result.status, FileStatus::Failed);
    EXPECT_NE(folder_result.reason.find(folder.path()), std::string::npos);

    if (!RunningAsRoot()) {
        WriteText(folder / "locked.ini", "[preset11]\nname=x\n");
        ::chmod((folder / "locked.ini").c_str(), 0);
        const FileResult locked = LoadPresetFile(folder / "locked.ini", table, settings);
        EXPECT_EQ(locked.status, FileStatus::Failed);
        EXPECT_NE(locked.reason.find("Permission denied"), std::string::npos);
        // ... and is not overwritten by a save either.
        EXPECT_EQ(SavePresetFile(folder / "locked.ini", table, settings).status, FileStatus::Failed);
    }
    ExpectSameSetUp(table, before_table);
    EXPECT_EQ(settings, before_settings);
}

TEST_F(PresetFile, FailedSaveLeavesTheOldFileAndSaysWhy)
{
    const std::string path = folder / "gig.ini";
    WriteText(path, "[preset11]\nname=Keep me\n");
    ::chmod(path.c_str(), 0640);
    FillEverything(table, settings);

    // A file size limit makes the write fail part-way, as a full disk would.
    rlimit old_limit{};
    ::getrlimit(RLIMIT_FSIZE, &old_limit);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old_limit;
    small.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const FileResult result = SavePresetFile(path, table, settings);
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(result.status, FileStatus::Failed);
    EXPECT_NE(result.reason.find("Cannot save \"" + path + "\": "), std::string::npos) << result.reason;
    EXPECT_EQ(ReadText(path), "[preset11]\nname=Keep me\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), std::filesystem::directory_iterator()),
              1);  // no new file left behind

    EXPECT_EQ(SavePresetFile(folder / "no/such/folder/x.ini", table, settings).status, FileStatus::Failed);
    EXPECT_EQ(SavePresetFile(folder.path(), table, settings).status, FileStatus::Failed);

    // A save that works keeps the file's permissions.
    ASSERT_EQ(SavePresetFile(path, table, settings).status, FileStatus::Done);
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(PresetFile, SavingThroughALinkUpdatesItsTarget)
{
    WriteText(folder / "real.ini", "");
    std::filesystem::create_symlink("real.ini", folder / "link.ini");
    ASSERT_EQ(SavePresetFile(folder / "link.ini", table, settings).status, FileStatus::Done);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.ini"));
    EXPECT_EQ(ReadText(folder / "real.ini"), StartStateText());
}

}  // namespace
}  // namespace orvel
