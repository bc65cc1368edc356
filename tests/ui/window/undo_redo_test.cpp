// The "Edit" menu over every kind of change to the set-up, and Ctrl+C/Ctrl+V of the grids,
// on the real window offscreen.
#include <fstream>
#include <map>
#include <sstream>
#include <stdlib.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "model/bank_rows.h"
#include "model/model_constants.h"
#include "model/settings_constants.h"
#include "model/setup_snapshot.h"
#include "sim/simulator.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/sim_faults.h"
#include "tests/support/window_test_support.h"
#include "ui/grid/preset_grid.h"
#include "ui/settings/option_tile.h"
#include "ui/settings/settings_grid.h"
#include "ui/window/undo_history.h"

namespace orvel::testing {
namespace {

// What the user sees of the set-up: the record behind the grids, the grids' own texts, the
// tiles, the bank buttons and the file panel.
struct Shown {
    SetupSnapshot setup;
    QStringList grid;
    QStringList settings;
    QStringList tiles;
    QStringList bank_buttons;
    std::string file;

    bool operator==(const Shown&) const = default;
};

Shown Look(WindowFixture& f)
{
    TMainForm& window = f.window();
    Shown shown{
        TakeSetupSnapshot(window.State().table, window.State().settings), {}, {}, {}, {}, window.State().current_file};
    const QAbstractItemModel* grid = f.Find<QTableView>("asgbanksBody")->model();
    for (int row = 0; row < kTableRowCount; ++row)
        for (int column = kFixedColumnCount; column < kColumnCount; ++column) {
            const QModelIndex index = grid->index(row, column);
            shown.grid << index.data().toString() + index.data(Qt::CheckStateRole).toString() +
                              index.data(Qt::BackgroundRole).toString();
        }
    for (int column = 0; column < 10; ++column)
        shown.settings << window.aSetup()->model()->index(2, column).data().toString();
    for (int tile = 1; tile <= 8; ++tile) shown.tiles << window.Tile(tile)->text();
    for (int digit = 0; digit < kBankCount; ++digit)
        shown.bank_buttons << f.Find<QPushButton>(qPrintable(QStringLiteral("bankButton%1").arg(digit)))->text();
    return shown;
}

// Makes a change, then checks that Undo brings back exactly what was shown before and Redo
// exactly what was shown after, with the step's name in both captions.
void ExpectUndoRedo(WindowFixture& f, const std::function<void()>& change, const QString& step)
{
    SCOPED_TRACE(step.toStdString());
    QAction* undo = f.Action("Undo1");
    QAction* redo = f.Action("Redo1");
    const int steps = f.window().History().Stack().count();
    const Shown before = Look(f);
    change();
    const Shown after = Look(f);
    ASSERT_FALSE(after == before);
    EXPECT_EQ(f.window().History().Stack().count(), steps + 1);  // one action, one step
    EXPECT_EQ(undo->text(), QStringLiteral("Undo ") + step);
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_TRUE(Look(f) == before);
    EXPECT_EQ(redo->text(), QStringLiteral("Redo ") + step);
    redo->trigger();
    EXPECT_TRUE(Look(f) == after);
}

TEST(UndoRedo, EveryKindOfChangeInTheWindowUndoesAndRedoesExactly)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    QAbstractItemModel* grid = f.Find<QTableView>("asgbanksBody")->model();
    QAbstractItemModel* settings = window.aSetup()->model();
    PresetTable& table = window.State().table;
    const int row = TableRowOfPreset(37);
    const Shown start = Look(f);

    // The Edit menu sits between File and Data transfer; nothing to undo yet.
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_GE(menus.size(), 3);
    EXPECT_EQ(menus[1]->menu()->objectName(), QStringLiteral("Edit1"));
    EXPECT_EQ(menus[2]->menu()->objectName(), QStringLiteral("Datatransfer1"));
    EXPECT_FALSE(f.Action("Undo1")->isEnabled());
    EXPECT_EQ(f.Action("Undo1")->text(), QStringLiteral("Undo"));
    EXPECT_EQ(f.Action("Redo1")->shortcuts().size(), 2);

    ExpectUndoRedo(
        f, [&] { grid->setData(grid->index(row, kColumnMidi1), QStringLiteral("12")); },
        QStringLiteral("edit preset 37"));
    ExpectUndoRedo(
        f, [&] { grid->setData(grid->index(row, kColumnBuffer), Qt::Checked, Qt::CheckStateRole); },
        QStringLiteral("check box of preset 37"));
    // A new type turns cells grey: the flags come back with the type.
    ExpectUndoRedo(
        f, [&] { grid->setData(grid->index(row, kColumnModifier), QStringLiteral("LOOP")); },
        QStringLiteral("type of preset 37"));
    table.SetCurrentRow(row);
    f.Action("Copypreset1")->trigger();
    table.SetCurrentRow(TableRowOfPreset(45));
    ExpectUndoRedo(
        f, [&] { f.Action("Pastepreset1")->trigger(); }, QStringLiteral("paste preset 45"));
    f.Find<QPushButton>("bankButton3")->click();  // bank 3 off, then copied to bank 6
    table.SetCurrentRow(row);
    f.Action("Copybank1")->trigger();
    table.SetCurrentRow(TableRowOfPreset(61));
    ExpectUndoRedo(
        f, [&] { f.Action("Pastebank1")->trigger(); }, QStringLiteral("paste bank 6"));
    ExpectUndoRedo(
        f, [&] { f.Find<QPushButton>("bankButton8")->click(); }, QStringLiteral("bank 8 function"));
    ExpectUndoRedo(
        f, [&] { window.TileClick(4); }, QStringLiteral("tile 4"));
    ExpectUndoRedo(
        f,
        [&] {
            settings->setData(settings->index(kSetupValueRow, kSetupFirstChannelColumn + 1), QStringLiteral("9"),
                              Qt::EditRole);
        },
        QStringLiteral("edit settings"));

    // A refused entry and an entry equal to the old one make no step.
    const int steps = window.History().Stack().count();
    grid->setData(grid->index(row, kColumnMidi2), QStringLiteral("abc"));
    grid->setData(grid->index(row, kColumnName), QString::fromStdString(table.Cell(row, kColumnName).text));
    EXPECT_EQ(window.History().Stack().count(), steps);

    // Back to the start, step by step; Undo greys out at the bottom.
    while (f.Action("Undo1")->isEnabled()) f.Action("Undo1")->trigger();
    EXPECT_TRUE(Look(f) == start);
    EXPECT_EQ(f.Action("Undo1")->text(), QStringLiteral("Undo"));
    EXPECT_EQ(f.Action("Redo1")->text(), QStringLiteral("Redo edit preset 37"));
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Opening a file undoes to the set-up and the file name before it, so that Save afterwards
// writes the earlier set-up into its own file and leaves the opened one alone.
TEST(UndoRedo, OpeningAFileUndoesToTheSetUpAndFileBeforeIt)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    PresetTable& table = window.State().table;
    const std::string first = f.folder().path() + "/first.ini";
    const std::string second = f.folder().path() + "/second.ini";
    table.SetText(TableRowOfPreset(12), kColumnMidi1, "40");
    window.State().settings.keys[1] = "uP1";
    window.SaveFileAs(QString::fromStdString(first));
    table.SetText(TableRowOfPreset(12), kColumnMidi1, "41");
    table.SetModifier(TableRowOfPreset(90), "SWITCH");
    table.SetBankFunction(9, false);
    window.SaveFileAs(QString::fromStdString(second));
    window.RefreshViews();
    EXPECT_EQ(window.History().Stack().count(), 0);  // saving is no change of the set-up
    const std::string first_text = FileText(first);

    ExpectUndoRedo(
        f, [&] { window.OpenFile(QString::fromStdString(first)); }, QStringLiteral("open first.ini"));
    EXPECT_EQ(table.Cell(TableRowOfPreset(12), kColumnMidi1).text, "40");

    f.Action("Undo1")->trigger();
    EXPECT_EQ(window.State().current_file, second);
    EXPECT_EQ(window.StatusPanel(1), QString::fromStdString(second));
    window.Save1Click();
    EXPECT_EQ(FileText(first), first_text);
    EXPECT_NE(FileText(second).find("41"), std::string::npos);
}

// Undo and redo never move the file Save writes to, except for an Open: a Save As made while
// "Read all presets" ran stays the file after the read is undone.
TEST(UndoRedo, ASaveAsMadeWhileACommandRanOutlivesItsUndo)
{
    kpxsim::Options paced;
    paced.paced = true;  // the read takes seconds, at the line's own speed
    kpxsim::Simulator sim(paced);
    const ScopedEnvironment port(PortVariable(5), sim.SlavePath());
    sim.WriteMemory(37, kpxsim::Block{0, 0, 77, 0, 0, 0, 0, 0});
    WindowFixture f;
    WindowSetup setup;
    setup.transport = TransportKind::SerialPort;
    TMainForm& window = f.Start(setup);
    window.sePort()->setValue(5);
    const std::string first = f.folder().path() + "/first.ini";
    const std::string second = f.folder().path() + "/second.ini";
    ASSERT_TRUE(window.SaveFileAs(QString::fromStdString(first)));

    window.Readall1Click();
    ASSERT_FALSE(window.DeviceIdle());
    ASSERT_TRUE(window.SaveFileAs(QString::fromStdString(second)));
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_EQ(window.State().table.Cell(TableRowOfPreset(37), kColumnMidi1).text, "77");
    EXPECT_EQ(f.Action("Undo1")->text(), QStringLiteral("Undo read all presets"));

    for (const char* item : {"Undo1", "Redo1", "Undo1"}) {
        f.Action(item)->trigger();
        EXPECT_EQ(window.State().current_file, second) << item;
    }
    const std::string first_text = FileText(first);
    window.Save1Click();
    EXPECT_EQ(FileText(first), first_text);
    EXPECT_EQ(FileText(second).find("midi1=77"), std::string::npos);
}

// Reads from the controller: a read that fails half-way undoes as one step, the rows read
// before the failure all together; undo sends nothing, and is off while the command runs.
TEST(UndoRedo, AReadFromTheControllerUndoesAsOneStepEvenWhenItFails)
{
    kpxsim::Simulator sim;
    const ScopedEnvironment port(PortVariable(5), sim.SlavePath());
    for (int preset = 0; preset < kPresetCount; ++preset)
        sim.WriteMemory(static_cast<std::uint8_t>(preset),
                        kpxsim::Block{0, 0, static_cast<std::uint8_t>(preset + 1), 0, 0, 0, 0, 0});
    WindowFixture f;
    WindowSetup setup;
    setup.transport = TransportKind::SerialPort;
    TMainForm& window = f.Start(setup);
    window.sePort()->setValue(5);
    PresetTable& table = window.State().table;

    table.SetCurrentRow(TableRowOfPreset(37));
    ExpectUndoRedo(
        f,
        [&] {
            window.Readpreset1Click();
            ASSERT_TRUE(WaitUntilDeviceIdle(window));
        },
        QStringLiteral("read preset 37"));
    EXPECT_EQ(table.Cell(TableRowOfPreset(37), kColumnMidi1).text, "38");

    sim.SetFaults(With([](kpxsim::Faults& faults) { faults.stop_after = 300; }));
    const Shown before = Look(f);
    const int steps = window.History().Stack().count();
    window.Readall1Click();
    EXPECT_FALSE(f.Action("Undo1")->isEnabled());  // off while the command runs
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_FALSE(f.messages().shown.empty());  // the failure was reported
    int read_rows = 0;
    for (int preset = 0; preset < kPresetCount; ++preset)
        if (table.Cell(TableRowOfPreset(static_cast<std::uint8_t>(preset)), kColumnMidi1).text ==
            std::to_string(preset + 1))
            ++read_rows;
    EXPECT_GT(read_rows, 1);
    EXPECT_LT(read_rows, kPresetCount);
    EXPECT_EQ(window.History().Stack().count(), steps + 1);
    EXPECT_EQ(f.Action("Undo1")->text(), QStringLiteral("Undo read all presets"));

    const std::size_t sent = sim.BytesReceived();
    f.Action("Undo1")->trigger();
    EXPECT_TRUE(Look(f) == before);
    f.Action("Redo1")->trigger();
    f.Action("Undo1")->trigger();
    EXPECT_TRUE(Look(f) == before);
    EXPECT_EQ(sim.BytesReceived(), sent);
}

// Ctrl+C on a bank's ten rows and Ctrl+V on another bank's first TYPE cell: the rows arrive
// with their types; cells grey under the pasted type keep their values, the digit columns
// and the bank's wah-pad function stay; one step undoes it all.
TEST(Clipboard, ABlockOfRowsCopiedToAnotherBank)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    PresetTable& table = window.State().table;
    auto* body = f.Find<QTableView>("asgbanksBody");
    QAbstractItemModel* grid = body->model();
    const int from = FirstRowOfBank(TableRowOfPreset(20));
    const int to = FirstRowOfBank(TableRowOfPreset(50));
    const char* const types[] = {"MIDI", "LOOP", "SWITCH", "PRESET"};
    for (int i = 0; i < kPresetsPerBank; ++i) {
        PresetData preset;
        preset.modifier = types[i % 4];
        preset.name = "Song " + std::to_string(i);
        preset.midi1 = std::to_string(i + 1);
        preset.loops[static_cast<std::size_t>(i % 6)] = true;
        preset.aux[1] = i % 2 == 0;
        table.SetRow(from + i, preset);
    }
    table.SetBankFunction(2, false);
    table.SetChecked(to, kFirstLoopColumn + 5, true);  // grey once the MIDI preset arrives
    window.RefreshViews();

    body->selectionModel()->select(
        QItemSelection(grid->index(from, kColumnBank), grid->index(from + 9, kColumnCount - 1)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keyClick(body, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 9);
    EXPECT_TRUE(copied.startsWith(QStringLiteral("MIDI\tSong 0\t0\t1\t0")));

    const PresetTable before = table;
    body->selectionModel()->setCurrentIndex(grid->index(to, kColumnModifier),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keyClick(body, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(window.sbKPX()->currentMessage().contains(QStringLiteral("refused")));
    for (int i = 0; i < kPresetsPerBank; ++i) {
        for (int column = 0; column < kColumnCount; ++column) {
            // Active under the pasted type: the copied cell; grey or a digit: as it was.
            const TableCell& cell = table.Cell(to + i, column);
            const bool written = column >= kFixedColumnCount && cell.active;
            const TableCell& want = written ? table.Cell(from + i, column) : before.Cell(to + i, column);
            ASSERT_EQ(cell.text, want.text) << i << "," << column;
            ASSERT_EQ(cell.checked, want.checked) << i << "," << column;
            ASSERT_EQ(cell.active, table.Cell(from + i, column).active) << i << "," << column;
        }
        EXPECT_EQ(grid->index(to + i, kColumnName).data().toString().toStdString(), "Song " + std::to_string(i));
    }
    EXPECT_TRUE(table.Cell(to, kFirstLoopColumn + 5).checked);
    EXPECT_TRUE(table.BankFunction(5));
    EXPECT_EQ(f.Action("Undo1")->text(), QStringLiteral("Undo paste cells"));
    f.Action("Undo1")->trigger();
    EXPECT_EQ(TakeSetupSnapshot(table, window.State().settings), TakeSetupSnapshot(before, window.State().settings));
}

// Text from a spreadsheet (CR LF, a line end after the last row) with one bad value and a
// row whose type does not use the columns: exactly the valid cells change.
TEST(Clipboard, SpreadsheetTextChangesExactlyTheValidCells)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    PresetTable& table = window.State().table;
    auto* body = f.Find<QTableView>("asgbanksBody");
    QAbstractItemModel* grid = body->model();
    const int row = TableRowOfPreset(64);
    table.SetModifier(row + 2, "LOOP");
    window.RefreshViews();
    const PresetTable before = table;

    QGuiApplication::clipboard()->setText(QStringLiteral("12\tabc\t7\r\n13\t 014\t15\r\n20\t21\t22\r\n"));
    body->selectionModel()->setCurrentIndex(grid->index(row, kColumnMidi1),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keyClick(body, Qt::Key_V, Qt::ControlModifier);

    const std::map<std::pair<int, int>, std::string> changed = {{{row, kColumnMidi1}, "12"},
                                                                {{row, kColumnMidi3Program}, "7"},
                                                                {{row + 1, kColumnMidi1}, "13"},
                                                                {{row + 1, kColumnMidi2}, "14"},
                                                                {{row + 1, kColumnMidi3Program}, "15"}};
    for (int r = 0; r < kTableRowCount; ++r)
        for (int column = 0; column < kColumnCount; ++column) {
            const auto found = changed.find({r, column});
            const std::string& want = found == changed.end() ? before.Cell(r, column).text : found->second;
            ASSERT_EQ(table.Cell(r, column).text, want) << r << "," << column;
            ASSERT_EQ(table.Cell(r, column).checked, before.Cell(r, column).checked) << r << "," << column;
        }
    EXPECT_EQ(window.sbKPX()->currentMessage(),
              QStringLiteral("Pasted 5 cells, 1 refused, 3 not used by their preset's type or outside the grid"));
    EXPECT_EQ(window.History().Stack().count(), 1);

    // The settings grid takes the same text by its own rule: 5 is a channel, 99 is not.
    QGuiApplication::clipboard()->setText(QStringLiteral("5\t99\n"));
    window.aSetup()->setCurrentIndex(window.aSetup()->model()->index(kSetupValueRow, kSetupFirstChannelColumn));
    QTest::keyClick(window.aSetup(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window.State().settings.midi_channels[0], "5");
    EXPECT_EQ(window.State().settings.midi_channels[1], SettingsData{}.midi_channels[1]);
    EXPECT_EQ(window.aSetup()->model()->index(kSetupValueRow, kSetupFirstChannelColumn).data().toString(),
              QStringLiteral("5"));
    QTest::keyClick(window.aSetup(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("5"));
    EXPECT_EQ(window.History().Stack().count(), 2);
}

}  // namespace
}  // namespace orvel::testing
