#include "ui/rules/drop_down_sizes.h"

#include "model/settings_constants.h"

namespace orvel {

int PresetDropDownVisibleItems(const CellEditor& editor)
{
    if (editor.kind == CellEditorKind::List) return static_cast<int>(editor.items.size());
    return kDropDownVisibleItems;
}

int SettingsDropDownVisibleItems(int column)
{
    return column < kSetupFirstCtrlColumn ? kSetupChannelVisibleItems : kSetupCtrlVisibleItems;
}

}  // namespace orvel
