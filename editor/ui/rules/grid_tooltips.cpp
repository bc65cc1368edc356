#include "ui/rules/grid_tooltips.h"

#include <array>

#include "model/model_constants.h"

namespace orvel {

namespace {

constexpr std::array<HeaderTooltip, 13> kHeaderTooltips = {{
    {0, 1, kColumnBank, kColumnBank,
     "Bank digit, 1 to 9 then 0. The button on a bank's first row sets the bank's wah-pad function: Add or Pr9."},
    {0, 1, kColumnPreset, kColumnPreset,
     "Preset digit, 1 to 9 then 0: the preset number is the bank digit followed by this one. A click selects "
     "the preset's row, Shift+click the rows up to it."},
    {0, 1, kColumnModifier, kColumnModifier,
     "What the preset recalls: PRESET, LOOP, SWITCH or MIDI. PRESET recalls everything, LOOP only the buffer "
     "and loops, SWITCH only the switches and AUX, MIDI only the MIDI outputs; the cells it leaves out are grey."},
    {0, 1, kColumnName, kColumnName,
     "The preset's name: at most 15 characters. Kept in the preset file; the controller does not hold it."},
    {0, 1, kColumnBuffer, kColumnBuffer, "The buffer: on or off."},
    {0, 1, kFirstLoopColumn, kLastLoopColumn, "Audio loops 1 to 6: each on or off."},
    {0, 1, kFirstSwitchColumn, kLastSwitchColumn, "Switches 1 to 4: each on or off."},
    {0, 1, kColumnMidi1, kColumnMidi1, "Program Change sent on MIDI output 1: 1 to 128 or unu (none sent)."},
    {0, 1, kColumnMidi2, kColumnMidi2, "Program Change sent on MIDI output 2: 1 to 128 or unu (none sent)."},
    {0, 0, kColumnMidi3Program, kLastControlColumn,
     "MIDI output 3: one Program Change and seven Control Change values; the CTRL numbers of the Settings "
     "page say which controls they set."},
    {1, 1, kColumnMidi3Program, kColumnMidi3Program,
     "Program Change sent on MIDI output 3: 1 to 128 or unu (none sent)."},
    {1, 1, kFirstControlColumn, kLastControlColumn,
     "Control Change values 1 to 7 sent on MIDI output 3: 0 to 128, tog or unu (tog toggles, unu sends none). "
     "4 to 7 are Control or Program Changes as the MIDI mode on the Settings page sets."},
    {0, 1, kFirstAuxColumn, kLastAuxColumn, "AUX outputs 1 and 2: each on or off."},
}};

}  // namespace

std::string_view HeaderTooltipAt(int row, int column)
{
    for (const HeaderTooltip& tip : kHeaderTooltips)
        if (row >= tip.first_row && row <= tip.last_row && column >= tip.first_column && column <= tip.last_column)
            return tip.text;
    return {};
}

}  // namespace orvel
