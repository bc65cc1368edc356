#include "model/preset_clipboard.h"

#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "model/preset_table.h"

namespace orvel {
namespace {

// A preset whose part modifier leaves most columns inactive, so that a paste has to carry
// inactive values too.
PresetData LoopPreset()
{
    PresetData preset;
    preset.modifier = "LOOP";
    preset.name = "Lead 37";
    preset.buffer = true;
    preset.loops = {false, true, false, false, true, false};
    preset.switches = {true, false, false, true};
    preset.midi1 = "12";
    preset.midi2 = "unu";
    preset.midi3_pc = "128";
    preset.ctrls = {"0", "tog", "unu", "128", "7", "64", "unu"};
    preset.aux = {false, true};
    return preset;
}

PresetData Numbered(int n)
{
    PresetData preset;
    preset.modifier = (n % 2 == 0) ? "MIDI" : "SWITCH";
    preset.name = "P" + std::to_string(n);
    preset.loops[n % 6] = true;
    preset.midi1 = std::to_string(n + 1);
    return preset;
}

bool SameCells(const PresetTable& a, const PresetTable& b)
{
    for (int row = 0; row < kTableRowCount; ++row) {
        for (int column = 0; column < kColumnCount; ++column) {
            const TableCell& x = a.Cell(row, column);
            const TableCell& y = b.Cell(row, column);
            if (x.text != y.text || x.checked != y.checked || x.active != y.active) return false;
        }
    }
    return a.AllBankFunctions() == b.AllBankFunctions();
}

const int kRow37 = TableRowOfPreset(37);
const int kRow52 = TableRowOfPreset(52);

TEST(PresetClipboard, PasteItemsStartDisabledAndPasteNothing)
{
    PresetTable table;
    const PresetTable before;
    PresetClipboard clipboard;
    EXPECT_EQ(clipboard.PastePresetItem(), PasteItem{});
    EXPECT_EQ(clipboard.PasteBankItem(), PasteItem{});
    EXPECT_FALSE(clipboard.PastePreset(table, kRow52));
    EXPECT_FALSE(clipboard.PasteBank(table, kRow52));
    EXPECT_TRUE(SameCells(table, before));
}

TEST(PresetClipboard, PresetCopiedFrom37LandsOn52WithItsBankFunction)
{
    PresetTable table;
    table.SetRow(kRow37, LoopPreset());
    table.SetBankFunction(3, false);
    PresetClipboard clipboard;

    clipboard.CopyPreset(table, kRow37);
    EXPECT_EQ(clipboard.PastePresetItem(), (PasteItem{PasteStage::Copied, 37}));
    EXPECT_FALSE(clipboard.CopiedPreset()->bank_function);

    ASSERT_TRUE(clipboard.PastePreset(table, kRow52));
    EXPECT_EQ(table.GetRow(kRow52), LoopPreset());  // inactive columns included
    EXPECT_TRUE(table.Cell(kRow52, kFirstLoopColumn).active);
    EXPECT_FALSE(table.Cell(kRow52, kFirstSwitchColumn).active);  // the modifier is applied
    EXPECT_FALSE(table.BankFunction(5));                          // bank 5 takes bank 3's flag
    EXPECT_FALSE(table.BankFunction(3));
    EXPECT_TRUE(table.BankFunction(4));
    EXPECT_EQ(clipboard.PastePresetItem(), (PasteItem{PasteStage::Pasted, 37}));

    table.SetRow(kRow52, PresetData{});
    EXPECT_FALSE(clipboard.PastePreset(table, kRow52));  // once per copy
    EXPECT_EQ(table.GetRow(kRow52), PresetData{});
}

TEST(PresetClipboard, PresetAndBankClipboardsAreIndependent)
{
    PresetTable table;
    table.SetRow(kRow37, LoopPreset());
    for (int k = 0; k < 10; ++k) table.SetRow(TableRowOfPreset(50) - 9 + k, Numbered(k));
    PresetClipboard clipboard;

    clipboard.CopyPreset(table, kRow37);
    clipboard.CopyBank(table, TableRowOfPreset(55));
    EXPECT_EQ(clipboard.PasteBankItem(), (PasteItem{PasteStage::Copied, 5}));
    PresetData copied = LoopPreset();
    copied.bank_function = true;
    EXPECT_EQ(*clipboard.CopiedPreset(), copied);  // a bank copy leaves the preset clipboard

    ASSERT_TRUE(clipboard.PastePreset(table, kRow52));
    EXPECT_EQ(table.GetRow(kRow52), LoopPreset());
    EXPECT_EQ(clipboard.PasteBankItem(), (PasteItem{PasteStage::Copied, 5}));  // a preset paste leaves it
}

TEST(PresetClipboard, BankPastedIntoItsOwnBankChangesNothing)
{
    PresetTable table;
    const int first = TableRowOfPreset(51);
    for (int k = 0; k < 10; ++k) table.SetRow(first + k, Numbered(k));
    table.SetBankFunction(5, false);
    const PresetTable before = table;
    PresetClipboard clipboard;

    clipboard.CopyBank(table, first + 6);
    ASSERT_TRUE(clipboard.PasteBank(table, first + 3));
    EXPECT_TRUE(SameCells(table, before));
    EXPECT_EQ(clipboard.PasteBankItem(), (PasteItem{PasteStage::Pasted, 5}));
    EXPECT_FALSE(clipboard.PasteBank(table, first));
}

TEST(PresetClipboard, BankGoesToTheLastBankInOrderWithItsFlag)
{
    PresetTable table;
    const int first3 = TableRowOfPreset(31);
    for (int k = 0; k < 10; ++k) table.SetRow(first3 + k, Numbered(k));
    table.SetBankFunction(3, false);
    PresetClipboard clipboard;

    clipboard.CopyBank(table, first3 + 9);  // preset 30, last row of bank 3
    EXPECT_EQ(clipboard.PasteBankItem(), (PasteItem{PasteStage::Copied, 3}));
    ASSERT_TRUE(clipboard.PasteBank(table, 101));  // preset 0, last row of bank 0
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(table.GetRow(92 + k), Numbered(k)) << k;
        EXPECT_EQ(table.Cell(92 + k, kFirstSwitchColumn).active, k % 2 == 1) << k;  // switches: SWITCH rows only
    }
    EXPECT_FALSE(table.BankFunction(0));
    EXPECT_EQ(table.Cell(92, kColumnBank).text, "0");  // digit columns are never written
    EXPECT_EQ(table.Cell(101, kColumnPreset).text, "0");
}

TEST(PresetClipboard, HeaderRowCountsAsFirstPresetRow)
{
    PresetTable table;
    table.SetRow(2, LoopPreset());
    PresetClipboard clipboard;
    clipboard.CopyPreset(table, 0);
    clipboard.CopyBank(table, 1);
    EXPECT_EQ(clipboard.PastePresetItem(), (PasteItem{PasteStage::Copied, 11}));
    EXPECT_EQ(clipboard.PasteBankItem(), (PasteItem{PasteStage::Copied, 1}));
    ASSERT_TRUE(clipboard.PastePreset(table, kRow52));
    EXPECT_EQ(table.GetRow(kRow52), LoopPreset());
}

}  // namespace
}  // namespace orvel
