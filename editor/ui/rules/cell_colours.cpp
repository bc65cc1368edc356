#include "ui/rules/cell_colours.h"

#include "model/model_constants.h"
#include "model/preset_table.h"

namespace orvel {

namespace {

CellBackground BackgroundOfColumn(int column)
{
    if (column >= kColumnBuffer && column <= kLastLoopColumn) return CellBackground::Loops;
    if (column >= kFirstSwitchColumn && column <= kLastSwitchColumn) return CellBackground::Switches;
    if (column >= kColumnMidi1 && column <= kLastControlColumn) return CellBackground::Info;
    return CellBackground::White;
}

}  // namespace

std::optional<std::uint32_t> RgbOfBackground(CellBackground background)
{
    switch (background) {
    case CellBackground::Inactive: return kInactiveRgb;
    case CellBackground::Loops: return kLoopsRgb;
    case CellBackground::Switches: return kSwitchesRgb;
    case CellBackground::White: return kWhiteRgb;
    case CellBackground::CurrentRow: return kCurrentRowRgb;
    case CellBackground::Fixed:
    case CellBackground::Info: break;
    }
    return std::nullopt;
}

CellColours ColoursOfCell(const PresetTable& table, int row, int column)
{
    if (!IsPresetTableRow(row) || column < kFixedColumnCount) return CellColours{CellBackground::Fixed, kTextRgb};
    if (!table.Cell(row, column).active) return CellColours{CellBackground::Inactive, kInactiveRgb};
    if (row == table.CurrentRow()) return CellColours{CellBackground::CurrentRow, kTextRgb};
    return CellColours{BackgroundOfColumn(column), kTextRgb};
}

}  // namespace orvel
