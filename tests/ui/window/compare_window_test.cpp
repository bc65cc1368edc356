// "Compare with controller" in the window against the virtual controller on a numbered
// serial port: the differing cells, bank button and settings cell are marked, listed, and
// found again from the list; the set-up is not changed; an edit takes the marks away.
#include <set>
#include <stdlib.h>

#include <QAction>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "model/settings_constants.h"
#include "sim/simulator.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/window_test_support.h"
#include "ui/grid/preset_grid.h"
#include "ui/grid/preset_table_model.h"
#include "ui/settings/option_tile.h"
#include "ui/settings/settings_grid.h"
#include "ui/window/differences_dialog.h"

namespace orvel {
namespace {

int Row(int preset)
{
    return TableRowOfPreset(static_cast<std::uint8_t>(preset));
}

class CompareWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::WindowSetup setup;
        setup.transport = TransportKind::SerialPort;
        window = &fixture.Start(setup);
        window->sePort()->setValue(5);
    }

    // Three presets, one bank function and one setting other than the factory's.
    void ChangeController()
    {
        sim.WriteMemory(0, kpxsim::Block{0x08, 0, 0, 0, 0, 0, 0, 0});                      // preset 0: loop 3
        sim.WriteMemory(37, kpxsim::Block{0, 0, 64, 0, 0, 0, 0, 0});                       // preset 37: MIDI1 64
        sim.WriteMemory(199, kpxsim::Block{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0xDE, 0});  // preset 99: Ctrl 7 tog
        sim.WriteMemory(252, kpxsim::Block{0xDF, 0x03, 0, 0, 0, 0, 0, 0});                 // bank 5: "Pr9"
        sim.WriteMemory(251, kpxsim::Block{81, 100, 83, 84, 85, 86, 87, 0});               // CTRL number 2: 100
    }

    void Compare()
    {
        window->Comparewithcontroller1Click();
        // Everything that starts a command or changes the set-up is off while it reads.
        EXPECT_FALSE(fixture.Action("Comparewithcontroller1")->isEnabled());
        EXPECT_FALSE(fixture.Action("Open1")->isEnabled());
        EXPECT_FALSE(window->asgbanks()->isEnabled());
        EXPECT_FALSE(window->Tile(1)->isEnabled());
        ASSERT_TRUE(testing::WaitUntilDeviceIdle(*window));
        EXPECT_TRUE(window->asgbanks()->isEnabled());
        EXPECT_FALSE(window->pb()->isVisible());
    }

    std::set<std::pair<int, int>> MarkedCells() const
    {
        std::set<std::pair<int, int>> marked;
        for (int row = 0; row < kTableRowCount; ++row)
            for (int column = 0; column < kColumnCount; ++column)
                if (window->asgbanks()->IsMarked(row, column)) marked.insert({row, column});
        return marked;
    }

    bool AnyMark() const
    {
        bool any = !MarkedCells().empty();
        for (int digit = 0; digit < kBankCount; ++digit) any = any || window->asgbanks()->IsBankMarked(digit);
        for (int column = 0; column < 10; ++column) any = any || window->aSetup()->Model()->IsMarked(column);
        for (int tile = 1; tile <= 8; ++tile) any = any || window->Tile(tile)->IsMarked();
        return any;
    }

    void Choose(int line)
    {
        QTreeWidget* list = window->dDifferences()->List();
        QTreeWidgetItem* item = list->topLevelItem(line);
        list->setCurrentItem(item);
        emit list->itemActivated(item, 0);
    }

    kpxsim::Simulator sim;
    testing::ScopedEnvironment port{testing::PortVariable(5), sim.SlavePath()};
    testing::WindowFixture fixture;
    TMainForm* window = nullptr;
};

TEST_F(CompareWindow, MarksAndListsExactlyWhatDiffersAndJumpsToIt)
{
    ChangeController();
    window->State().table.SetText(Row(37), kColumnName, "Solo");  // names are not compared
    Compare();

    EXPECT_EQ(MarkedCells(),
              (std::set<std::pair<int, int>>{
                  {Row(0), kFirstLoopColumn + 2}, {Row(37), kColumnMidi1}, {Row(99), kFirstControlColumn + 6}}));
    for (int digit = 0; digit < kBankCount; ++digit) EXPECT_EQ(window->asgbanks()->IsBankMarked(digit), digit == 5);
    for (int column = 0; column < 10; ++column) EXPECT_EQ(window->aSetup()->Model()->IsMarked(column), column == 4);
    for (int tile = 1; tile <= 8; ++tile) EXPECT_FALSE(window->Tile(tile)->IsMarked());

    // The grid keeps the editor's set-up.
    EXPECT_EQ(window->State().table.GetRow(Row(37)).midi1, "unu");
    EXPECT_EQ(window->State().table.Cell(Row(37), kColumnName).text, "Solo");
    EXPECT_TRUE(window->State().table.BankFunction(5));
    EXPECT_EQ(window->State().settings.ctrl_numbers[1], "82");
    EXPECT_TRUE(fixture.messages().shown.empty());

    ASSERT_NE(window->dDifferences(), nullptr);
    EXPECT_TRUE(window->dDifferences()->isVisible());
    QTreeWidget* list = window->dDifferences()->List();
    QStringList lines;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        lines << QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join(QLatin1Char('|'));
    }
    EXPECT_EQ(lines, (QStringList{"preset 0|LOOP 3|off|on", "preset 37|MIDI1|unu|64", "preset 99|Ctrl 7|unu|tog",
                                  "bank 5|wah-pad function|Add|Pr9", "settings|CTRL number 2|82|100"}));

    // A preset line shows its cell on the "Presets" page; the settings line the settings cell.
    window->Configuration2()->setCurrentIndex(0);
    Choose(2);
    EXPECT_EQ(window->Configuration2()->currentIndex(), 1);
    EXPECT_EQ(window->State().table.CurrentRow(), Row(99));
    Choose(4);
    EXPECT_EQ(window->Configuration2()->currentIndex(), 0);
    EXPECT_EQ(window->aSetup()->currentIndex().column(), kSetupFirstCtrlColumn + 1);
    EXPECT_EQ(window->aSetup()->currentIndex().row(), kSetupValueRow);
    // Showing a cell changes nothing: the marks and the list stay.
    EXPECT_EQ(window->Comparison().size(), 5u);
    EXPECT_TRUE(window->aSetup()->Model()->IsMarked(4));
    EXPECT_TRUE(window->dDifferences()->isVisible());

    // An edit takes every mark and the list away.
    window->TileClick(3);
    EXPECT_FALSE(AnyMark());
    EXPECT_FALSE(window->dDifferences()->isVisible());
    EXPECT_TRUE(window->Comparison().empty());
}

TEST_F(CompareWindow, AnEqualControllerIsSaidToBeSoAndAReadTakesTheMarksAway)
{
    ChangeController();
    Compare();
    EXPECT_TRUE(AnyMark());

    // Reading the controller in makes the two the same; the read itself clears the marks.
    window->Readall1Click();
    EXPECT_FALSE(AnyMark());
    ASSERT_TRUE(testing::WaitUntilDeviceIdle(*window));
    window->Readsettings1Click();
    ASSERT_TRUE(testing::WaitUntilDeviceIdle(*window));
    ASSERT_TRUE(fixture.messages().shown.empty());

    Compare();
    EXPECT_FALSE(AnyMark());
    ASSERT_EQ(fixture.messages().shown.size(), 1u);
    EXPECT_EQ(fixture.messages().shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(fixture.messages().shown[0].text,
              "The controller holds the same presets, bank functions and settings as the editor.");
}

TEST_F(CompareWindow, AGridEditTakesTheMarksAway)
{
    ChangeController();
    Compare();
    ASSERT_TRUE(AnyMark());
    auto* model = window->asgbanks()->findChild<PresetTableModel*>();
    ASSERT_NE(model, nullptr);
    window->asgbanks()->ShowCell(Row(12), kColumnMidi2);
    // An editor that closes on the text it opened with changes nothing, in either grid.
    ASSERT_TRUE(model->setData(model->index(Row(12), kColumnMidi2), QStringLiteral("unu"), Qt::EditRole));
    SettingsGridModel* settings = window->aSetup()->Model();
    ASSERT_TRUE(settings->setData(settings->index(kSetupValueRow, kSetupFirstCtrlColumn + 1), QStringLiteral("82"),
                                  Qt::EditRole));
    EXPECT_TRUE(AnyMark());
    ASSERT_TRUE(model->setData(model->index(Row(12), kColumnMidi2), QStringLiteral("5"), Qt::EditRole));
    EXPECT_FALSE(AnyMark());

    // Undoing that edit changes the set-up again: a new comparison's marks go too.
    Compare();
    ASSERT_TRUE(AnyMark());
    auto* undo = window->findChild<QAction*>(QStringLiteral("Undo1"));
    ASSERT_NE(undo, nullptr);
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(model->data(model->index(Row(12), kColumnMidi2), Qt::DisplayRole).toString(), QStringLiteral("unu"));
    EXPECT_FALSE(AnyMark());
}

}  // namespace
}  // namespace orvel
