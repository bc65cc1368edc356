// The preset grid's two header rows as the window and the printout draw them: the caption
// of each header cell and the cells merged into one (header captions, and each bank's digit
// over its ten rows). Column widths are in preset_grid_sizes.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/model_constants.h"

namespace orvel {

// The settings grid's header row 0 (two spaces after "Ctrl" in both CTRL captions).
inline constexpr std::string_view kSetupCaptionChannels = "MIDI Channel";                       // columns 0-2
inline constexpr std::string_view kSetupCaptionCtrl = "Ctrl  Number";                           // columns 3-5
inline constexpr std::string_view kSetupCaptionCtrlOrChannel = "Ctrl  Number or MIDI Channel";  // columns 6-9

// Header captions; "\r" breaks a caption into two lines. The columns whose captions also
// name their field in messages take the field's name.
inline constexpr std::string_view kCaptionBank = "B";
inline constexpr std::string_view kCaptionPreset = "P";
inline constexpr std::string_view kCaptionModifier = kFieldModifier;
inline constexpr std::string_view kCaptionName = kFieldName;
inline constexpr std::string_view kCaptionBuffer = kFieldBuffer;
inline constexpr std::string_view kCaptionLoop = kFieldLoop;
inline constexpr std::string_view kCaptionSwitch = kFieldSwitch;
inline constexpr std::string_view kCaptionMidi1 = kFieldMidi1;
inline constexpr std::string_view kCaptionMidi2 = kFieldMidi2;
inline constexpr std::string_view kCaptionMidi3 = kFieldMidi3;
inline constexpr std::string_view kCaptionAux = kFieldAux;
inline constexpr std::string_view kCaptionProgram = "Prog\rChang";
inline constexpr std::string_view kCaptionControl1 = "Ctrl\r1";
inline constexpr std::string_view kCaptionControl2 = "Ctrl\r2";
inline constexpr std::string_view kCaptionControl3 = "Ctrl\r3";
// Over controls 4-7; the numbers of the second line sit above their columns.
inline constexpr std::string_view kCaptionControls4To7 =
    "Ctrl or Prog Chang\r      4             5              6            7     ";

// A block of cells drawn as one; the text sits in the top-left cell.
struct CellSpan {
    int row = 0;
    int column = 0;
    int rows = 1;
    int columns = 1;

    bool operator==(const CellSpan&) const = default;
};

struct HeaderCaption {
    CellSpan span;
    std::string text;     // "\r" (0x0D) breaks the caption into two lines
    bool turned = false;  // drawn turned by 90 degrees ("BUFFER")
};

// Every caption of header rows 0 and 1, row 0 first, left to right.
std::vector<HeaderCaption> HeaderCaptions();

// The caption whose block starts at this cell; nullptr for any other cell, the rest of a
// merged block included.
const HeaderCaption* HeaderCaptionAt(int row, int column);

// Every merged block of the grid: the header captions wider or taller than one cell,
// then the bank digit cell of each bank in column 0 (ten rows each, top to bottom).
std::vector<CellSpan> MergedCells();

}  // namespace orvel
