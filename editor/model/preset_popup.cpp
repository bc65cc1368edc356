#include "model/preset_popup.h"

#include "model/model_constants.h"
#include "model/preset_table.h"

namespace orvel {

int CommandRow(int table_row)
{
    return IsPresetTableRow(table_row) ? table_row : kHeaderRowCount;
}

int MoveCurrentRowToPresets(PresetTable& table)
{
    if (!IsPresetTableRow(table.CurrentRow())) table.SetCurrentRow(kHeaderRowCount);
    return table.CurrentRow();
}

}  // namespace orvel
