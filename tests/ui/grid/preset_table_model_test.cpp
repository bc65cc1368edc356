#include "ui/grid/preset_table_model.h"

#include <QBrush>
#include <QColor>
#include <QSignalSpy>

#include <gtest/gtest.h>

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
    EXPECT_EQ(model.rowCount(), 102);
    EXPECT_EQ(model.columnCount(), 27);
    EXPECT_EQ(Data(0, 0).toString(), "B");
    EXPECT_EQ(Data(0, 4).toString(), "BUFFER");
    EXPECT_TRUE(Data(0, 4, TurnedRole).toBool());
    EXPECT_FALSE(Data(0, 5, TurnedRole).toBool());
    EXPECT_EQ(Data(0, 17).toString(), "MIDI3");
    EXPECT_EQ(Data(1, 15).toString(), "Prog\nChang");
    EXPECT_EQ(Data(1, 18).toString(), "Ctrl\n1");
    EXPECT_EQ(Data(1, 21).toString(),
              "Ctrl or Prog Chang\n      4             5              6            7     ");
    EXPECT_EQ(Data(1, 21, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    EXPECT_EQ(Data(12, 0).toString(), "2");   // bank digit
    EXPECT_EQ(Data(11, 1).toString(), "0");   // preset digit of preset 10
    EXPECT_TRUE(Data(0, 17, Qt::ToolTipRole).toString().startsWith("MIDI output 3"));
    EXPECT_FALSE(Data(12, 17, Qt::ToolTipRole).isValid());
    EXPECT_EQ(model.flags(model.index(1, 5)), Qt::NoItemFlags);
    EXPECT_EQ(model.flags(model.index(20, 0)), Qt::NoItemFlags);
}

TEST_F(PresetTableModelTest, ColoursFollowColumnsModifierAndCurrentRow)
{
    QPalette palette;
    palette.setColor(QPalette::ToolTipBase, QColor(0x12, 0x34, 0x56));
    palette.setColor(QPalette::Button, QColor(0x65, 0x43, 0x21));
    model.SetPalette(palette);

    EXPECT_EQ(Background(0, 7), QColor(0x65, 0x43, 0x21));
    EXPECT_EQ(Background(row52, 0), QColor(0x65, 0x43, 0x21));
    EXPECT_EQ(Background(row52, 5), QColor(0xDB, 0xFE, 0xDA));
    EXPECT_EQ(Background(row52, 12), QColor(0xEC, 0xED, 0xFD));
    EXPECT_EQ(Background(row52, 15), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(Background(row52, 25), QColor(Qt::white));

    table.SetModifier(row52, "LOOP");
    EXPECT_TRUE(Data(row52, 11, InactiveRole).toBool());
    EXPECT_EQ(Background(row52, 11), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_FALSE(Data(row52, 5, InactiveRole).toBool());

    table.SetCurrentRow(row52);
    EXPECT_EQ(Background(row52, 5), QColor(Qt::yellow));
    EXPECT_EQ(Background(row52, 11), QColor(0xC0, 0xC0, 0xC0));   // inactive stays silver
    EXPECT_TRUE(model.flags(model.index(row52, 5)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(row52, 11)) & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(model.flags(model.index(row52, 3)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(row52 + 1, 3)) & Qt::ItemIsEditable);   // not current
}

TEST_F(PresetTableModelTest, EntriesAreValidatedBeforeTheyAreStored)
{
    QSignalSpy refused(&model, &PresetTableModel::entryRefused);
    QSignalSpy named(&model, &PresetTableModel::nameEdited);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    EXPECT_TRUE(Store(row52, 15, "12"));
    EXPECT_TRUE(Store(row52, 19, "To"));
    EXPECT_EQ(table.Cell(row52, 19).text, "tog");   // the accepted form is stored
    EXPECT_FALSE(Store(row52, 15, "0"));
    EXPECT_EQ(table.Cell(row52, 15).text, "12");
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.at(0).at(0).toString(), "\"0\" is not a MIDI1 value: enter 1 to 128 or unu.");
    EXPECT_EQ(named.count(), 0);

    EXPECT_TRUE(Store(row52, 3, "Solo"));
    EXPECT_EQ(named.count(), 1);

    EXPECT_TRUE(Store(row52, 2, "MIDI"));   // a new TYPE applies its modifier
    EXPECT_FALSE(table.Cell(row52, 5).active);
    EXPECT_TRUE(table.Cell(row52, 15).active);

    EXPECT_TRUE(model.setData(model.index(row52, 6), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(table.Cell(row52, 6).checked);   // inactive cells still hold values
    EXPECT_FALSE(Store(0, 5, "x"));
    EXPECT_FALSE(Store(row52, 1, "7"));
    EXPECT_EQ(table.Cell(row52, 1).text, "2");
    EXPECT_EQ(changed.count(), 5);   // one redraw per stored entry, none for a refusal
}

}  // namespace
}  // namespace orvel
