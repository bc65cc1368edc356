#include "ui/rules/popup_captions.h"

#include <gtest/gtest.h>

#include "model/preset_clipboard.h"
#include "model/preset_table.h"

namespace orvel {
namespace {

TEST(PopupCaptions, HeaderRowIsNamedAsTheFirstPresetRow)
{
    const PresetTable table;
    const RowCommandCaptions expected{"Copy bank 1",  "Copy preset 11", "Read bank 1",
                                      "Write bank 1", "Read preset 11", "Write preset 11"};
    EXPECT_EQ(CaptionsForRow(table, 0), expected);
    EXPECT_EQ(CaptionsForRow(table, 1), expected);
    EXPECT_EQ(CaptionsForRow(table, 2), expected);
}

TEST(PopupCaptions, CaptionsCarryTwoDigitsAndTheBankDigit)
{
    const PresetTable table;
    const RowCommandCaptions last = CaptionsForRow(table, 101);
    EXPECT_EQ(last.copy_preset, "Copy preset 00");
    EXPECT_EQ(last.copy_bank, "Copy bank 0");
    EXPECT_EQ(last.write_preset, "Write preset 00");
    EXPECT_EQ(CaptionsForRow(table, 92).read_preset, "Read preset 01");
    EXPECT_EQ(CaptionsForRow(table, 11).copy_preset, "Copy preset 10");
    EXPECT_EQ(CaptionsForRow(table, 11).read_bank, "Read bank 1");
}

// The paste items through a copy and a paste, as the grid's menu shows them: the access
// key only before the first copy, the trailing space of "Paste preset " after a paste.
TEST(PopupCaptions, PasteItemsFollowTheClipboard)
{
    PresetTable table;
    PresetClipboard clipboard;
    EXPECT_EQ(PastePresetCaption(clipboard.PastePresetItem()), "P&aste preset");
    EXPECT_EQ(PasteBankCaption(clipboard.PasteBankItem()), "&Paste bank");

    clipboard.CopyPreset(table, TableRowOfPreset(7));
    clipboard.CopyBank(table, TableRowOfPreset(0));
    EXPECT_EQ(PastePresetCaption(clipboard.PastePresetItem()), "Paste preset 07");
    EXPECT_EQ(PasteBankCaption(clipboard.PasteBankItem()), "Paste bank 0");

    ASSERT_TRUE(clipboard.PastePreset(table, TableRowOfPreset(52)));
    ASSERT_TRUE(clipboard.PasteBank(table, TableRowOfPreset(52)));
    EXPECT_EQ(PastePresetCaption(clipboard.PastePresetItem()), "Paste preset ");
    EXPECT_EQ(PasteBankCaption(clipboard.PasteBankItem()), "Paste bank");
}

}  // namespace
}  // namespace orvel
