#include "model/cell_editor.h"

#include "model/model_constants.h"

namespace orvel {

namespace {

std::vector<std::string> NumberItems(int low, int high)
{
    std::vector<std::string> items{std::string(kUnusedText)};
    for (int value = low; value <= high; ++value) items.push_back(std::to_string(value));
    return items;
}

}  // namespace

CellEditorKind EditorKindOfColumn(int column)
{
    if (column == kColumnModifier) return CellEditorKind::List;
    if (column == kColumnName) return CellEditorKind::Text;
    if (column >= kColumnBuffer && column <= kLastSwitchColumn) return CellEditorKind::CheckBox;
    if (column >= kColumnMidi1 && column <= kLastControlColumn) return CellEditorKind::EditableList;
    if (column >= kFirstAuxColumn && column <= kLastAuxColumn) return CellEditorKind::CheckBox;
    return CellEditorKind::None;
}

bool IsCheckBoxColumn(int column)
{
    return EditorKindOfColumn(column) == CellEditorKind::CheckBox;
}

CellEditor EditorOfColumn(int column)
{
    CellEditor editor;
    editor.kind = EditorKindOfColumn(column);
    if (column == kColumnModifier) {
        editor.items = {std::string(kModifierPreset), std::string(kModifierLoop), std::string(kModifierSwitch),
                        std::string(kModifierMidi)};
    } else if (column == kColumnName) {
        editor.max_length = kNameMaxLength;
    } else if (column >= kColumnMidi1 && column <= kColumnMidi3Program) {
        editor.items = NumberItems(kProgramMin, kProgramMax);
    } else if (column >= kFirstControlColumn && column <= kLastControlColumn) {
        editor.items = NumberItems(kControlMin, kControlMax);
        editor.items.push_back(std::string(kToggleText));
    }
    return editor;
}

}  // namespace orvel
