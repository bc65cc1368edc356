#include "ui/grid/preset_table_model.h"

#include <QBrush>
#include <QColor>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "model/preset_table.h"

namespace orvel {
namespace {

class PresetTableModelTest : public ::testing::Test {
protected:
    QVariant Data(int row, int column, int role = Qt::DisplayRole) const
    {
        return model.data(model.index(row, column), role);
    }
    QColor Background(int row, int column) const
    {
        return Data(row, column, Qt::BackgroundRole).value<QBrush>().color();
    }
    bool Store(int row, int column, const QString& entry)
    {
        return model.setData(model.index(row, column), entry, Qt::EditRole);
    }

    PresetTable table;
    PresetTableModel model{table};
    const int row52 = TableRowOfPreset(52);
};

TEST_F(PresetTableModelTest, HeaderRowsShowTheCaptionsOnOneOrTwoLines)
{
    EXPECT_EQ(model.rowCount(), kTableRowCount);
    EXPECT_EQ(model.columnCount(), kColumnCount);
    EXPECT_EQ(Data(0, kColumnBank).toString(), "B");
    EXPECT_EQ(Data(0, kColumnBuffer).toString(), "BUFFER");
    EXPECT_TRUE(Data(0, kColumnBuffer, TurnedRole).toBool());
    EXPECT_FALSE(Data(0, kFirstLoopColumn, TurnedRole).toBool());
    EXPECT_EQ(Data(0, kColumnMidi3Program).toString(), "MIDI3");
    EXPECT_EQ(Data(1, kColumnMidi1).toString(), "Prog\nChang");
    EXPECT_EQ(Data(1, kFirstControlColumn).toString(), "Ctrl\n1");
    EXPECT_EQ(Data(1, kFirstControlColumn + 3).toString(),
              "Ctrl or Prog Chang\n      4             5              6            7     ");
    EXPECT_EQ(Data(1, kFirstControlColumn + 3, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    EXPECT_EQ(Data(12, kColumnBank).toString(), "2");    // bank digit
    EXPECT_EQ(Data(11, kColumnPreset).toString(), "0");  // preset digit of preset 10
    EXPECT_TRUE(Data(0, kColumnMidi3Program, Qt::ToolTipRole).toString().startsWith("MIDI output 3"));
    EXPECT_FALSE(Data(12, kColumnMidi3Program, Qt::ToolTipRole).isValid());
    EXPECT_EQ(model.flags(model.index(1, kFirstLoopColumn)), Qt::NoItemFlags);
    EXPECT_EQ(model.flags(model.index(20, kColumnBank)), Qt::NoItemFlags);
}

TEST_F(PresetTableModelTest, ColoursFollowColumnsModifierAndCurrentRow)
{
    QPalette palette;
    palette.setColor(QPalette::ToolTipBase, QColor(0x12, 0x34, 0x56));
    palette.setColor(QPalette::Button, QColor(0x65, 0x43, 0x21));
    model.SetPalette(palette);

    EXPECT_EQ(Background(0, kFirstLoopColumn + 2), QColor(0x65, 0x43, 0x21));
    EXPECT_EQ(Background(row52, kColumnBank), QColor(0x65, 0x43, 0x21));
    EXPECT_EQ(Background(row52, kFirstLoopColumn), QColor(0xDB, 0xFE, 0xDA));
    EXPECT_EQ(Background(row52, kFirstSwitchColumn + 1), QColor(0xEC, 0xED, 0xFD));
    EXPECT_EQ(Background(row52, kColumnMidi1), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(Background(row52, kFirstAuxColumn), QColor(Qt::white));

    table.SetModifier(row52, "LOOP");
    EXPECT_TRUE(Data(row52, kFirstSwitchColumn, InactiveRole).toBool());
    EXPECT_EQ(Background(row52, kFirstSwitchColumn), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_FALSE(Data(row52, kFirstLoopColumn, InactiveRole).toBool());

    table.SetCurrentRow(row52);
    EXPECT_EQ(Background(row52, kFirstLoopColumn), QColor(Qt::yellow));
    EXPECT_EQ(Background(row52, kFirstSwitchColumn), QColor(0xC0, 0xC0, 0xC0));  // inactive stays silver
    EXPECT_TRUE(model.flags(model.index(row52, kFirstLoopColumn)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(row52, kFirstSwitchColumn)) & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(model.flags(model.index(row52, kColumnName)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(row52 + 1, kColumnName)) & Qt::ItemIsEditable);  // not current
}

TEST_F(PresetTableModelTest, EntriesAreValidatedBeforeTheyAreStored)
{
    QSignalSpy refused(&model, &PresetTableModel::entryRefused);
    QSignalSpy named(&model, &PresetTableModel::nameEdited);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    EXPECT_TRUE(Store(row52, kColumnMidi1, "12"));
    EXPECT_TRUE(Store(row52, kFirstControlColumn + 1, "To"));
    EXPECT_EQ(table.Cell(row52, kFirstControlColumn + 1).text, "tog");  // the accepted form is stored
    EXPECT_FALSE(Store(row52, kColumnMidi1, "0"));
    EXPECT_EQ(table.Cell(row52, kColumnMidi1).text, "12");
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.at(0).at(0).toString(), "\"0\" is not a MIDI1 value: enter 1 to 128 or unu.");
    EXPECT_EQ(named.count(), 0);

    EXPECT_TRUE(Store(row52, kColumnName, "Solo"));
    EXPECT_EQ(named.count(), 1);

    EXPECT_TRUE(Store(row52, kColumnModifier, "MIDI"));  // a new TYPE applies its modifier
    EXPECT_FALSE(table.Cell(row52, kFirstLoopColumn).active);
    EXPECT_TRUE(table.Cell(row52, kColumnMidi1).active);

    EXPECT_TRUE(model.setData(model.index(row52, kFirstLoopColumn + 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(table.Cell(row52, kFirstLoopColumn + 1).checked);  // inactive cells still hold values
    EXPECT_FALSE(Store(0, kFirstLoopColumn, "x"));
    EXPECT_FALSE(Store(row52, kColumnPreset, "7"));
    EXPECT_EQ(table.Cell(row52, kColumnPreset).text, "2");
    EXPECT_EQ(changed.count(), 5);  // one redraw per stored entry, none for a refusal
}

}  // namespace
}  // namespace orvel
