// The preset grid driven from the keyboard as a user drives it: key events sent to
// whatever has the focus, on the real grid. No Qt warning may be printed meanwhile.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <optional>

#include <gtest/gtest.h>

#include "model/preset_table.h"
#include "qt_warning_recorder.h"
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
        recorder.emplace();   // from here on: the editing
    }

    void TearDown() override
    {
        ASSERT_TRUE(recorder);
        EXPECT_TRUE(recorder->warnings().isEmpty()) << recorder->warnings().join('\n').toStdString();
    }

    QModelIndex Index(int row, int column) const { return body->model()->index(row, column); }

    void Click(int row, int column)
    {
        body->scrollTo(Index(row, column));
        QTest::mouseClick(body->viewport(), Qt::LeftButton, {}, body->visualRect(Index(row, column)).center());
    }

    // Keys go where the user's keys go: to the widget with the focus.
    static void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        QCoreApplication::processEvents();   // queued commits
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
        int bait_preset;   // a preset whose cell starts with the first key
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

    Click(row, kColumnMidi1);   // one click opens the drop-down's editor, its text selected
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
        if (QByteArray(way) == "F2") Key(Qt::Key_F2);
        else if (QByteArray(way) == "Enter") Key(Qt::Key_Return);
        else QTest::mouseDClick(body->viewport(), Qt::LeftButton, {}, body->visualRect(Index(row, kFirstControlColumn)).center());
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
    Key(Qt::Key_Tab);   // on to the buffer's check box: Space toggles it
    EXPECT_EQ(body->currentIndex(), Index(row, kColumnBuffer));
    Key(Qt::Key_Space);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);   // loop 2
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
    Key(Qt::Key_Backtab);   // back to control 1, its text selected
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
    EXPECT_EQ(commits.count(), 7);   // one per edit: name, five drop-downs, control 1 again
    EXPECT_EQ(grid.CurrentRow(), row);
}

TEST_F(GridKeyboardTest, TypeListStepsWithArrowsAndStoresOnEnter)
{
    const int row = TableRowOfPreset(36);
    QSignalSpy commits(body->itemDelegate(), &QAbstractItemDelegate::commitData);
    Click(row, kColumnModifier);
    ASSERT_NE(qobject_cast<QComboBox*>(QApplication::focusWidget()), nullptr);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(table.Cell(row, kColumnModifier).text, "PRESET");   // not yet
    Key(Qt::Key_Return);
    EXPECT_EQ(table.Cell(row, kColumnModifier).text, "SWITCH");
    EXPECT_FALSE(table.Cell(row, kColumnMidi1).active);
    EXPECT_EQ(commits.count(), 1);

    Type("M");   // a letter opens the list's editor on that entry
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
    Key(Qt::Key_Backtab);   // past the grey buffer, loops and switches
    EXPECT_EQ(body->currentIndex(), Index(row, kColumnName));
    ASSERT_NE(OpenLineEdit(), nullptr);
    Key(Qt::Key_Tab);
    EXPECT_EQ(body->currentIndex(), Index(row, kColumnMidi1));

    body->setCurrentIndex(Index(row, kLastControlColumn));
    Key(Qt::Key_F2);
    Type("3");
    Key(Qt::Key_Tab);   // nothing active after control 7: the edit is stored, the row kept
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
    Type("0");   // no program 0
    Key(Qt::Key_Return);
    EXPECT_EQ(table.Cell(row, kColumnMidi1).text, "7");
    EXPECT_EQ(table.Cell(row, kColumnMidi2).text, "5");
    EXPECT_EQ(table.Cell(row, kColumnMidi3Program).text, "unu");
    EXPECT_EQ(refused.count(), 1);
}

}  // namespace
}  // namespace orvel
