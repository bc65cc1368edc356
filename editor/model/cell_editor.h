// The editor a preset grid cell opens, by column, with the entries of its drop-down list.
#pragma once

#include <string>
#include <vector>

namespace orvel {

enum class CellEditorKind {
    None,          // digit columns 0 and 1
    List,          // pick one of the entries only (TYPE)
    Text,          // free text (NAME)
    CheckBox,      // buffer, loops, switches, AUX
    EditableList,  // entries to pick, or type a value that is then validated (MIDI)
};

struct CellEditor {
    CellEditorKind kind = CellEditorKind::None;
    std::vector<std::string> items;  // drop-down entries, in order
    int max_length = 0;              // free text: most characters; 0 = no limit
};

CellEditorKind EditorKindOfColumn(int column);

bool IsCheckBoxColumn(int column);

// The editor of a column with freshly built entries: TYPE lists the four modifiers;
// programs "unu", "1" to "128"; controls "unu", "0" to "128", "tog".
CellEditor EditorOfColumn(int column);

}  // namespace orvel
