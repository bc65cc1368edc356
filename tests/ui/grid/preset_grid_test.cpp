#include "ui/grid/preset_grid.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "model/preset_table.h"
#include "tests/support/wheel_turns.h"
#include "ui/grid/grid_view.h"
#include "ui/rules/preset_grid_sizes.h"

namespace orvel {
namespace {

class PresetGridTest : public ::testing::Test {
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
    }

    QModelIndex Index(int row, int column) const { return body->model()->index(row, column); }

    void Click(GridView* view, int row, int column, Qt::MouseButton button = Qt::LeftButton)
    {
        body->scrollTo(Index(row, std::max(column, kFixedColumnCount)));
        QTest::mouseClick(view->viewport(), button, {}, view->visualRect(Index(row, column)).center());
    }

    QWidget* EditorAt(int row, int column) const { return body->indexWidget(Index(row, column)); }

    QAction* Item(const char* name) const { return grid.Popup()->findChild<QAction*>(name); }

    // Opens the popup (as a right click does) and closes it again.
    void OpenPopup()
    {
        grid.Popup()->popup(grid.mapToGlobal(QPoint(10, 10)));
        grid.Popup()->hide();
    }

    PresetTable table;
    PresetGrid grid{table};
    FrozenGridView* body = nullptr;
    const int row37 = TableRowOfPreset(37);
    const int row52 = TableRowOfPreset(52);
};

TEST_F(PresetGridTest, LayoutScalesColumnsAndRows)
{
    EXPECT_EQ(grid.objectName(), "asgbanks");
    EXPECT_EQ(grid.width(), 955);
    EXPECT_EQ(body->columnWidth(kColumnBank), 28);
    EXPECT_EQ(body->columnWidth(kColumnName), 77);
    grid.ApplyLayout(1280, 1152);
    EXPECT_EQ(grid.width(), GridWidthPixels(1280));
    EXPECT_EQ(body->columnWidth(kColumnMidi1), 58);
    EXPECT_EQ(body->rowHeight(1), 64);
    EXPECT_EQ(body->rowHeight(60), 44);
    EXPECT_EQ(body->View(GridPane::Columns)->rowHeight(60), 44);
}

TEST_F(PresetGridTest, OneClickOnAnotherRowMakesItCurrentAndOpensTheEditor)
{
    QSignalSpy refused(&grid, &PresetGrid::entryRefused);
    table.SetText(row52, 15, "7");
    Click(body, row52, kColumnMidi1);
    EXPECT_EQ(grid.CurrentRow(), row52);
    auto* combo = qobject_cast<QComboBox*>(EditorAt(row52, kColumnMidi1));
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isEditable());
    EXPECT_EQ(combo->maxVisibleItems(), 20);
    EXPECT_EQ(combo->count(), 129);
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), "un");
    QTest::keyClick(combo, Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits after the key
    EXPECT_EQ(table.Cell(row52, kColumnMidi1).text, "unu");
    EXPECT_EQ(refused.count(), 0);

    Click(body, row52, kColumnMidi2);
    combo = qobject_cast<QComboBox*>(EditorAt(row52, kColumnMidi2));
    ASSERT_NE(combo, nullptr);
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), "0");
    QTest::keyClick(combo, Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits after the key
    EXPECT_EQ(table.Cell(row52, kColumnMidi2).text, "unu");
    EXPECT_EQ(refused.count(), 1);

    Click(body, row37, kColumnName);  // NAME: a line edit of 15 characters, on the row clicked
    EXPECT_EQ(grid.CurrentRow(), row37);
    auto* name = qobject_cast<QLineEdit*>(EditorAt(row37, kColumnName));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->maxLength(), 15);
}

TEST_F(PresetGridTest, TypeListAppliesItsModifierAndCheckBoxesToggleOnOneClick)
{
    Click(body, row52, kFirstLoopColumn);  // another row's check box
    EXPECT_EQ(grid.CurrentRow(), row52);
    EXPECT_TRUE(table.Cell(row52, kFirstLoopColumn).checked);
    EXPECT_EQ(EditorAt(row52, kFirstLoopColumn), nullptr);

    Click(body, row52, kColumnModifier);  // the list opens on the first click
    auto* type = qobject_cast<QComboBox*>(EditorAt(row52, kColumnModifier));
    ASSERT_NE(type, nullptr);
    EXPECT_FALSE(type->isEditable());
    EXPECT_EQ(type->count(), 4);
    QAbstractItemView* list = type->view();
    ASSERT_TRUE(list->isVisible());  // picked from the open list: stored at once
    // The user's pause: a list takes no click within a double click's time of opening (the
    // button coming up from the opening click must not pick an entry).
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    EXPECT_EQ(table.Cell(row52, kColumnModifier).text, "LOOP");
    EXPECT_EQ(EditorAt(row52, kColumnModifier), nullptr);
    EXPECT_FALSE(table.Cell(row52, kFirstSwitchColumn + 1).active);

    Click(body, row52, kFirstSwitchColumn + 1);  // inactive: neither toggled nor edited
    EXPECT_FALSE(table.Cell(row52, kFirstSwitchColumn + 1).checked);
    EXPECT_EQ(EditorAt(row52, kFirstSwitchColumn + 1), nullptr);
}

// The wheel over an open drop-down once stepped its entry (three notches turned MIDI1 into
// 3, two turned a TYPE into SWITCH) and the grid stayed where it was.
TEST_F(PresetGridTest, WheelOverADropDownScrollsTheGridAndChangesNoValue)
{
    const int row = TableRowOfPreset(23);
    for (int column : {kColumnMidi1, kColumnModifier, kLastControlColumn}) {
        SCOPED_TRACE(column);
        body->verticalScrollBar()->setValue(0);
        if (column == kColumnModifier) {  // a click opens its list; F2 its closed editor
            Click(body, row, kColumnName);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            body->setCurrentIndex(Index(row, column));
            QTest::keyClick(body, Qt::Key_F2);
        } else {
            Click(body, row, column);
        }
        auto* combo = qobject_cast<QComboBox*>(EditorAt(row, column));
        ASSERT_NE(combo, nullptr);
        const int top = body->verticalScrollBar()->value();
        testing::TurnWheel(combo, combo->rect().center(), 3);
        EXPECT_GT(body->verticalScrollBar()->value(), top);
        Click(body, row + 1, kColumnName);  // elsewhere: the editor closes and stores
        EXPECT_EQ(EditorAt(row, column), nullptr);
        EXPECT_EQ(table.GetRow(row), PresetData{});
    }
}

TEST_F(PresetGridTest, KeyboardMovesTheCurrentRow)
{
    Click(body, row52, kFirstLoopColumn);
    QTest::keyClick(body, Qt::Key_Down);
    EXPECT_EQ(grid.CurrentRow(), row52 + 1);
    QTest::keyClick(body, Qt::Key_Space);
    EXPECT_TRUE(table.Cell(row52 + 1, kFirstLoopColumn).checked);
}

TEST_F(PresetGridTest, ReleaseOverAHeaderRowMakesItCurrentWithoutAToggle)
{
    QTest::mousePress(body->viewport(), Qt::LeftButton, {}, body->visualRect(Index(5, kFirstLoopColumn)).center());
    EXPECT_EQ(grid.CurrentRow(), 5);
    QTest::mouseRelease(body->viewport(), Qt::LeftButton, {}, body->visualRect(Index(1, kFirstLoopColumn)).center());
    EXPECT_EQ(grid.CurrentRow(), 1);
    EXPECT_FALSE(table.Cell(5, kFirstLoopColumn).checked);
}

TEST_F(PresetGridTest, FrozenPanesStayAlignedWithTheBody)
{
    GridView* columns = body->View(GridPane::Columns);
    GridView* rows = body->View(GridPane::Rows);
    EXPECT_EQ(columns->width(), 28 + 15);
    EXPECT_EQ(rows->height(), body->rowHeight(0) + body->rowHeight(1));

    body->verticalScrollBar()->setValue(300);
    EXPECT_EQ(columns->verticalScrollBar()->value(), 300);
    EXPECT_EQ(columns->visualRect(Index(40, kColumnPreset)).top(), body->visualRect(Index(40, kFirstLoopColumn)).top());
    EXPECT_EQ(rows->verticalScrollBar()->value(), 0);

    grid.setFixedWidth(500);  // narrow enough to scroll sideways
    QCoreApplication::processEvents();
    ASSERT_GT(body->horizontalScrollBar()->maximum(), 0);
    body->horizontalScrollBar()->setValue(120);
    EXPECT_EQ(rows->horizontalScrollBar()->value(), 120);
    EXPECT_EQ(rows->visualRect(Index(1, kFirstControlColumn + 2)).left(),
              body->visualRect(Index(40, kFirstControlColumn + 2)).left());
    EXPECT_EQ(columns->horizontalScrollBar()->value(), 0);

    Click(columns, 40, kColumnPreset);  // a digit cell selects its row
    EXPECT_EQ(grid.CurrentRow(), 40);
    EXPECT_TRUE(body->selectionModel()->isRowSelected(40, {}));
}

TEST_F(PresetGridTest, BankButtonTogglesItsFlagAndCaption)
{
    auto* button = grid.findChild<QPushButton*>("bankButton0");
    ASSERT_NE(button, nullptr);
    GridView* columns = body->View(GridPane::Columns);
    columns->scrollTo(Index(92, kColumnBank));
    body->scrollTo(Index(92, kColumnModifier));
    QCoreApplication::processEvents();
    EXPECT_EQ(button->geometry().top(), columns->rowViewportPosition(92));
    EXPECT_EQ(button->height(), columns->rowHeight(92) - 1);

    EXPECT_EQ(button->text(), "Add");
    EXPECT_TRUE(button->toolTip().contains("wah-pad"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(button->text(), "Pr9");
    EXPECT_FALSE(table.BankFunction(0));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(button->text(), "Add");
    EXPECT_TRUE(table.BankFunction(0));

    table.SetBankFunction(4, false);  // changed elsewhere, then shown
    grid.BankFunctionChanged(4);
    EXPECT_EQ(grid.findChild<QPushButton*>("bankButton4")->text(), "Pr9");
}

TEST_F(PresetGridTest, PopupNamesTheCurrentRowAndAHeaderPressMeansTheFirstPreset)
{
    QStringList items;
    for (QAction* action : grid.Popup()->actions())
        items << (action->isSeparator() ? "-" : action->objectName() + ":" + action->text());
    EXPECT_EQ(items, QStringList({"Copybank1:&Copy bank", "Pastebank1:&Paste bank", "-", "Copypreset1:C&opy preset",
                                  "Pastepreset1:P&aste preset", "-", "ReadbankfromKPX1:Read bank",
                                  "WritebanktoKPX1:Write bank ", "-", "ReadpresetfromKPX21:Read preset",
                                  "WritepresettoKPX1:Write preset "}));
    EXPECT_FALSE(Item("Pastebank1")->isEnabled());
    EXPECT_EQ(grid.ReadBankAction(), Item("ReadbankfromKPX1"));
    EXPECT_EQ(grid.WritePresetAction(), Item("WritepresettoKPX1"));

    Click(body, 101, kColumnBuffer);
    Click(body->View(GridPane::Rows), 1, 8, Qt::RightButton);  // a header press
    EXPECT_EQ(grid.CurrentRow(), 1);
    OpenPopup();
    EXPECT_EQ(grid.CurrentRow(), 2);
    EXPECT_TRUE(body->selectionModel()->isRowSelected(2, {}));
    EXPECT_EQ(Item("Copybank1")->text(), "Copy bank 1");
    EXPECT_EQ(Item("Copypreset1")->text(), "Copy preset 11");
    EXPECT_EQ(Item("ReadpresetfromKPX21")->text(), "Read preset 11");

    Click(body, 101, 4, Qt::RightButton);
    OpenPopup();
    EXPECT_EQ(Item("Copypreset1")->text(), "Copy preset 00");
    EXPECT_EQ(Item("Copybank1")->text(), "Copy bank 0");
    EXPECT_EQ(Item("WritepresettoKPX1")->text(), "Write preset 00");

    table.SetCurrentRow(0);
    grid.EnsureCurrentPresetRow();  // as the "Data transfer" menu does
    EXPECT_EQ(grid.CurrentRow(), 2);
}

TEST_F(PresetGridTest, CopyAndPasteRunFromThePopup)
{
    PresetData preset;
    preset.modifier = "SWITCH";
    preset.name = "Rhythm";
    preset.switches = {true, false, true, false};
    preset.midi1 = "44";
    table.SetRow(row37, preset);
    table.SetBankFunction(3, false);
    grid.Refresh();

    Click(body, row37, 3, Qt::RightButton);
    OpenPopup();
    Item("Copypreset1")->trigger();
    EXPECT_EQ(Item("Pastepreset1")->text(), "Paste preset 37");
    EXPECT_TRUE(Item("Pastepreset1")->isEnabled());

    Click(body, row52, 3, Qt::RightButton);
    OpenPopup();
    Item("Copybank1")->trigger();
    EXPECT_EQ(Item("Pastebank1")->text(), "Paste bank 5");
    Item("Pastepreset1")->trigger();
    EXPECT_EQ(table.GetRow(row52), preset);
    EXPECT_EQ(grid.findChild<QPushButton*>("bankButton5")->text(), "Pr9");
    EXPECT_EQ(Item("Pastepreset1")->text(), "Paste preset ");
    EXPECT_FALSE(Item("Pastepreset1")->isEnabled());

    Item("Pastebank1")->trigger();  // bank 5 as copied: preset 52 back to the default
    EXPECT_EQ(table.GetRow(row52), PresetData{});
    EXPECT_EQ(grid.findChild<QPushButton*>("bankButton5")->text(), "Add");
    EXPECT_EQ(Item("Pastebank1")->text(), "Paste bank");
    EXPECT_FALSE(Item("Pastebank1")->isEnabled());
}

}  // namespace
}  // namespace orvel
