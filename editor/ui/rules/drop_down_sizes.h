// How many entries the grids' drop-down lists show at a time before they scroll.
#pragma once

#include "model/cell_editor.h"

namespace orvel {

inline constexpr int kDropDownVisibleItems = 20;      // program and control drop-downs
inline constexpr int kSetupChannelVisibleItems = 16;  // MIDI channels of the settings grid
inline constexpr int kSetupCtrlVisibleItems = 10;     // CTRL numbers of the settings grid

// A preset grid drop-down: a pick-only list (TYPE) shows all its entries, the program and
// control lists 20.
int PresetDropDownVisibleItems(const CellEditor& editor);

// A settings grid drop-down by column: MIDI channels 16, CTRL numbers 10.
int SettingsDropDownVisibleItems(int column);

}  // namespace orvel
