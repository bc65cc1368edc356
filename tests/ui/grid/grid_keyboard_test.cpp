// The preset grid driven from the keyboard as a user drives it: key events sent to
// whatever has the focus, on the real grid. No Qt warning may be printed meanwhile.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "model/change_recorder.h"
#include "model/preset_table.h"
#include "tests/support/qt_warning_recorder.h"
#include "ui/grid/grid_view.h"
#include "ui/grid/preset_grid.h"

namespace orvel {
namespace {

class GridKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.ApplyLayout(1024, 768);
        grid.resize(grid.width(), 500);
        grid.show();
        grid.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
        body = grid.findChild<FrozenGridView*>();
        ASSERT_NE(body, nullptr);
        recorder.emplace();  // from here on: the editing
    }

    void TearDown() override
    {
        ASSERT_TRUE(recorder);
        EXPECT_TRUE(recorder->warnings().isEmpty()) << recorder->warnings().join('\n').toStdString();
    }

    QModelIndex Index(int row, int column) const { return body->model()->index(row, column); }

    void Click(int row, int column, Qt::KeyboardModifiers modifiers = {})
    {
        body->scrollTo(Index(row, std::max(column, kFixedColumnCount)));
        GridView* view = column < kFixedColumnCount ? body->View(GridPane::Columns) : body;
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, view->visualRect(Index(row, column)).center());
        QCoreApplication::processEvents();
    }

    // The colour drawn at a point of a cell: (dx, dy) from its top-left corner.
    QColor Drawn(int row, int column, int dx, int dy) const
    {
        const QRect cell = body->visualRect(Index(row, column));
        return body->viewport()->grab().toImage().pixelColor(cell.left() + dx, cell.top() + dy);
    }
    // Whether the cell shows the current cell's frame: on its edges, in black.
    bool Framed(int row, int column) const
    {
        const QRect cell = body->visualRect(Index(row, column));
        const QImage shot = body->viewport()->grab().toImage();
        for (const QPoint edge : {QPoint(cell.left(), cell.center().y()), QPoint(cell.right(), cell.center().y()),
                                  QPoint(cell.center().x(), cell.top()), QPoint(cell.center().x(), cell.bottom())})
            if (shot.pixelColor(edge) != QColor(Qt::black)) return false;
        return true;
    }

    // Keys go where the user's keys go: to the widget with the focus.
    static void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        QCoreApplication::processEvents();  // queued commits
    }
    static void Type(const char* text)
    {
        for (const char* c = text; *c; ++c) {
            QWidget* target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            QTest::keyClicks(target, QString(QLatin1Char(*c)));
            QCoreApplication::processEvents();
        }
    }

    // The text field of the editor with the focus (a drop-down keeps the focus itself).
    static QLineEdit* OpenLineEdit()
    {
        QWidget* focused = QApplication::focusWidget();
        if (auto* combo = qobject_cast<QComboBox*>(focused)) return combo->lineEdit();
        return qobject_cast<QLineEdit*>(focused);
    }

    bool SameTable(const PresetTable& other) const
    {
        for (int row = 0; row < kTableRowCount; ++row)
            for (int column = 0; column < kColumnCount; ++column) {
                const TableCell& a = table.Cell(row, column);
                const TableCell& b = other.Cell(row, column);
                if (a.text != b.text || a.checked != b.checked || a.active != b.active) return false;
            }
        return true;
    }

    // Every change the grid hands over, by its step's name.
    struct StepRecorder : ChangeRecorder {
        std::vector<std::string> steps;
        void Record(const std::string& caption, const std::function<void()>& change) override
        {
            steps.push_back(caption);
            change();
        }
        void Begin(const std::string& caption) override { steps.push_back(caption); }
        void End() override {}
    };

    std::optional<testing::QtWarningRecorder> recorder;
    PresetTable table;
    PresetGrid grid{table};
    FrozenGridView* body = nullptr;
};

// Typing on a grey cell once moved the grid to another preset whose cell began with the
// typed character, and the next keys edited that preset.
TEST_F(GridKeyboardTest, KeysOnAnInactiveCellChangeNothingAnywhere)
{
    struct Case {
        int preset;
        const char* modifier;
        int column;
        const char* keys;
        int bait_preset;  // a preset whose cell starts with the first key
        const char* bait;
    };
    const Case cases[] = {
        {12, "SWITCH", kColumnMidi1, "12", 88, "1"},
        {37, "LOOP", kColumnMidi1, "55", 11, "5"},
        {52, "SWITCH", kFirstControlColumn, "t9", 11, "tog"},
        {64, "MIDI", kFirstLoopColumn, " 1", 11, "1"},
    };
    QSignalSpy inactive(&grid, &PresetGrid::inactiveCellKey);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        const int row = TableRowOfPreset(static_cast<std::uint8_t>(c.preset));
        table.SetModifier(row, c.modifier);
        table.SetText(TableRowOfPreset(static_cast<std::uint8_t>(c.bait_preset)), c.column, c.bait);
        grid.Refresh();
        const PresetTable before = table;

        Click(row, c.column);
        ASSERT_EQ(grid.CurrentRow(), row);
        Type(c.keys);
        Key(Qt::Key_Return);
        EXPECT_EQ(grid.CurrentRow(), row);
        EXPECT_EQ(body->currentIndex(), Index(row, c.column));
        EXPECT_FALSE(body->IsEditing());
        EXPECT_TRUE(SameTable(before));
    }
    EXPECT_GE(inactive.count(), 4);
}

TEST_F(GridKeyboardTest, TypedKeysReplaceTheTextAndEditKeysSelectItAll)
{
    const int row = TableRowOfPreset(23);
    table.SetText(row, kColumnMidi1, "12");
    table.SetText(row, kColumnMidi2, "1");
    table.SetText(row, kFirstControlColumn, "64");
    grid.Refresh();
    QSignalSpy commits(body->itemDelegate(), &QAbstractItemDelegate::commitData);

    Click(row, kColumnMidi1);  // one click opens the drop-down's editor, its text selected
    ASSERT_NE(OpenLineEdit(), nullptr);
    EXPECT_EQ(OpenLineEdit()->selectedText(), "12");
    Type("5");
    Key(Qt::Key_Return);
    EXPECT_EQ(table.Cell(row, kColumnMidi1).text, "5");
    EXPECT_EQ(commits.count(), 1);
    EXPECT_FALSE(body->IsEditing());

    // From the keyboard alone: a key on a cell starts its editor with that key.
    Key(Qt::Key_Right);
    Type("10");
    Key(Qt::Key_Return);
    EXPECT_EQ(table.Cell(row, kColumnMidi2).text, "10");
    EXPECT_EQ(commits.count(), 2);

    // F2, Enter and a double click open the editor with the whole text selected.
    for (const char* way : {"F2", "Enter", "double click"}) {
        SCOPED_TRACE(way);
        body->setCurrentIndex(Index(row, kFirstControlColumn));
        if (QByteArray(way) == "F2")
            Key(Qt::Key_F2);
        else if (QByteArray(way) == "Enter")
            Key(Qt::Key_Return);
        else
            QTest::mouseDClick(body->viewport(), Qt::LeftButton, {},
                               body->visualRect(Index(row, kFirstControlColumn)).center());
        ASSERT_NE(OpenLineEdit(), nullptr);
        EXPECT_EQ(OpenLineEdit()->selectedText(), "64");
        Key(Qt::Key_Escape);
        EXPECT_FALSE(body->IsEditing());
    }

    // Escape keeps the old text, even after typing.
    Key(Qt::Key_F2);
    Type("99");
    Key(Qt::Key_Escape);
    EXPECT_EQ(table.Cell(row, kFirstControlColumn).text, "64");
    EXPECT_EQ(commits.count(), 2);

    // The name's line edit works the same way.
    table.SetText(row, kColumnName, "Old name");
    body->setCurrentIndex(Index(row, kColumnName));
    Type("N");
    Type("ew");
    Key(Qt::Key_Return);
    EXPECT_EQ(table.Cell(row, kColumnName).text, "New");
}

TEST_F(GridKeyboardTest, TabEntersAWholePresetAlongItsRow)
{
    const int row = TableRowOfPreset(45);
    QSignalSpy commits(body->itemDelegate(), &QAbstractItemDelegate::commitData);
    Click(row, kColumnName);
    Type("Lead");
    Key(Qt::Key_Tab);  // on to the buffer's check box: Space toggles it
    EXPECT_EQ(body->currentIndex(), Index(row, kColumnBuffer));
    Key(Qt::Key_Space);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);  // loop 2
    Key(Qt::Key_Space);
    for (int column = kFirstLoopColumn + 1; column < kColumnMidi1; ++column) Key(Qt::Key_Tab);
    EXPECT_EQ(body->currentIndex(), Index(row, kColumnMidi1));
    ASSERT_NE(OpenLineEdit(), nullptr);
    EXPECT_EQ(OpenLineEdit()->selectedText(), "unu");
    Type("46");
    Key(Qt::Key_Tab);
    Type("u");
    Key(Qt::Key_Tab);
    Type("128");
    Key(Qt::Key_Tab);
    Type("0");
    Key(Qt::Key_Tab);
    Type("T");
    Key(Qt::Key_Backtab);  // back to control 1, its text selected
    ASSERT_NE(OpenLineEdit(), nullptr);
    EXPECT_EQ(OpenLineEdit()->selectedText(), "0");
    Type("7");
    Key(Qt::Key_Return);

    PresetData expected;
    expected.name = "Lead";
    expected.buffer = true;
    expected.loops[1] = true;
    expected.midi1 = "46";
    expected.midi3_pc = "128";
    expected.ctrls[0] = "7";
    expected.ctrls[1] = "tog";
    EXPECT_EQ(table.GetRow(row), expected);
    EXPECT_EQ(commits.count(), 7);  // one per edit: name, five drop-downs, control 1 again
    EXPECT_EQ(grid.CurrentRow(), row);
}

TEST_F(GridKeyboardTest, TypeListStepsWithArrowsAndStoresOnEnter)
{
    const int row = TableRowOfPreset(36);
    QSignalSpy commits(body->itemDelegate(), &QAbstractItemDelegate::commitData);
    Click(row, kColumnModifier);  // the list opens on the first click
    auto* type = qobject_cast<QComboBox*>(body->indexWidget(Index(row, kColumnModifier)));
    ASSERT_NE(type, nullptr);
    ASSERT_TRUE(type->view()->isVisible());
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(table.Cell(row, kColumnModifier).text, "PRESET");  // not yet
    Key(Qt::Key_Return);
    EXPECT_EQ(table.Cell(row, kColumnModifier).text, "SWITCH");
    EXPECT_FALSE(table.Cell(row, kColumnMidi1).active);
    EXPECT_EQ(commits.count(), 1);
    // The offscreen platform leaves no window active once a popup has closed.
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));

    Type("M");  // a letter opens the list's editor on that entry
    Key(Qt::Key_Tab);
    EXPECT_EQ(table.Cell(row, kColumnModifier).text, "MIDI");
    EXPECT_EQ(body->currentIndex(), Index(row, kColumnName));
    EXPECT_EQ(commits.count(), 2);
    EXPECT_EQ(grid.CurrentRow(), row);
}

TEST_F(GridKeyboardTest, TabSkipsInactiveCellsAndStaysInItsRow)
{
    const int row = TableRowOfPreset(71);
    table.SetModifier(row, "MIDI");
    grid.Refresh();
    Click(row, kColumnMidi1);
    Key(Qt::Key_Backtab);  // past the grey buffer, loops and switches
    EXPECT_EQ(body->currentIndex(), Index(row, kColumnName));
    ASSERT_NE(OpenLineEdit(), nullptr);
    Key(Qt::Key_Tab);
    EXPECT_EQ(body->currentIndex(), Index(row, kColumnMidi1));

    body->setCurrentIndex(Index(row, kLastControlColumn));
    Key(Qt::Key_F2);
    Type("3");
    Key(Qt::Key_Tab);  // nothing active after control 7: the edit is stored, the row kept
    EXPECT_EQ(table.Cell(row, kLastControlColumn).text, "3");
    EXPECT_EQ(body->currentIndex(), Index(row, kLastControlColumn));
    EXPECT_EQ(grid.CurrentRow(), row);

    body->setCurrentIndex(Index(row, kColumnModifier));
    Key(Qt::Key_Backtab);
    EXPECT_EQ(body->currentIndex(), Index(row, kColumnModifier));
    EXPECT_EQ(grid.CurrentRow(), row);
}

TEST_F(GridKeyboardTest, EnteredNumbersAreStoredPlainAndRefusalsKeepTheCell)
{
    const int row = TableRowOfPreset(58);
    QSignalSpy refused(&grid, &PresetGrid::entryRefused);
    Click(row, kColumnMidi1);
    Type("007");
    Key(Qt::Key_Tab);
    Type(" 5 ");
    Key(Qt::Key_Tab);
    Type("0");  // no program 0
    Key(Qt::Key_Return);
    EXPECT_EQ(table.Cell(row, kColumnMidi1).text, "7");
    EXPECT_EQ(table.Cell(row, kColumnMidi2).text, "5");
    EXPECT_EQ(table.Cell(row, kColumnMidi3Program).text, "unu");
    EXPECT_EQ(refused.count(), 1);
}

// Left and Right once moved an invisible current cell: only the row was yellow.
TEST_F(GridKeyboardTest, TheCurrentCellIsFramedInEveryColumn)
{
    const int row = TableRowOfPreset(23);
    table.SetModifier(row, "LOOP");  // grey cells are framed too
    grid.Refresh();
    Click(row, kLastAuxColumn);
    for (int column = kLastAuxColumn; column >= kColumnModifier; --column) {
        SCOPED_TRACE(column);
        ASSERT_EQ(body->currentIndex(), Index(row, column));
        EXPECT_TRUE(Framed(row, column));
        if (column < kLastAuxColumn) {
            EXPECT_FALSE(Framed(row, column + 1));
        }
        Key(Qt::Key_Left);
    }
}

// Shift+click opened editors and toggled check boxes, a selection begun on the P column
// grew from wherever an earlier click had been, and selected rows looked like any other.
TEST_F(GridKeyboardTest, ShiftExtendsASelectionThatIsDrawnCopiedAndPastedInto)
{
    const int row = TableRowOfPreset(33);
    const auto shift_down = [this] {
        for (int i = 0; i < 3; ++i) Key(Qt::Key_Down, Qt::ShiftModifier);
    };
    struct Way {
        const char* name;
        std::function<void()> start;
        std::function<void()> extend;
    };
    const std::vector<Way> ways = {
        {"cell, Shift+Down", [&] { Click(row, kColumnMidi1), Key(Qt::Key_Escape); }, shift_down},
        {"cell, Shift+click", [&] { Click(row, kColumnMidi1), Key(Qt::Key_Escape); },
         [&] { Click(row + 3, kFirstLoopColumn, Qt::ShiftModifier); }},
        {"P, Shift+Down", [&] { Click(row, kColumnPreset); }, shift_down},
        {"P, Shift+click", [&] { Click(row, kColumnPreset); },
         [&] { Click(row + 3, kColumnMidi2, Qt::ShiftModifier); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        Click(row + 20, kColumnMidi1);  // an earlier click elsewhere
        Key(Qt::Key_Escape);
        const PresetTable before = table;
        way.start();
        way.extend();
        EXPECT_EQ(body->SelectedRows(), std::make_pair(row, row + 3));
        EXPECT_EQ(grid.CurrentRow(), row + 3);
        EXPECT_FALSE(body->IsEditing());
        EXPECT_TRUE(SameTable(before));
        EXPECT_NE(Drawn(row + 1, kColumnName, 4, 4), Drawn(row + 5, kColumnName, 4, 4));  // drawn as selected
        Key(Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text().split('\n').size(), 4);
    }

    // A copied line pasted on the selection fills each of its rows from the current column.
    QGuiApplication::clipboard()->setText("64\ttog\n");
    Key(Qt::Key_V, Qt::ControlModifier);
    for (int r = row; r <= row + 3; ++r) {
        EXPECT_EQ(table.Cell(r, kColumnMidi2).text, "64");
        EXPECT_EQ(table.Cell(r, kColumnMidi3Program).text, "unu");  // "tog" is no program
    }
}

TEST_F(GridKeyboardTest, DeleteClearsCellsThroughTheirRuleAsOneStep)
{
    StepRecorder steps;
    grid.SetRecorder(&steps);
    const int row = TableRowOfPreset(67);
    PresetData preset;
    preset.name = "Lead";
    preset.buffer = preset.loops[0] = preset.switches[1] = true;
    preset.midi1 = "5";
    preset.ctrls[3] = "64";
    table.SetRow(row, preset);
    table.SetRow(row + 1, preset);
    table.SetModifier(row + 1, "LOOP");
    grid.Refresh();

    // The current cell alone; TYPE has no empty entry.
    const std::pair<int, Qt::Key> keys[] = {{kColumnName, Qt::Key_Delete},
                                            {kColumnMidi1, Qt::Key_Backspace},
                                            {kFirstControlColumn + 3, Qt::Key_Delete},
                                            {kColumnBuffer, Qt::Key_Delete},
                                            {kColumnModifier, Qt::Key_Delete}};
    Click(row, kColumnMidi1);
    Key(Qt::Key_Escape);
    for (const auto& [column, key] : keys) {
        body->setCurrentIndex(Index(row, column));
        Key(key);
    }
    PresetData cleared = preset;
    cleared.name = "";
    cleared.buffer = false;
    cleared.midi1 = cleared.ctrls[3] = "unu";
    EXPECT_EQ(table.GetRow(row), cleared);
    EXPECT_FALSE(body->IsEditing());
    ASSERT_EQ(steps.steps.size(), std::size(keys));

    // A selection of two rows: every cell of it as one step, grey ones (MIDI under LOOP) kept.
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Delete);
    ASSERT_EQ(steps.steps.size(), std::size(keys) + 1);
    EXPECT_EQ(steps.steps.back(), "clear cells");
    EXPECT_EQ(table.GetRow(row), PresetData{});
    cleared = PresetData{};
    cleared.modifier = "LOOP";
    cleared.switches[1] = true;
    cleared.midi1 = "5";
    cleared.ctrls[3] = "64";
    EXPECT_EQ(table.GetRow(row + 1), cleared);
}

}  // namespace
}  // namespace orvel
