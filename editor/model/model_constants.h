// Numbers and texts of the presets, the bank functions and the preset grid, kept in one
// place: the byte codes the controller uses, the values the grid shows, the grid's
// columns. How the grid looks (header captions, column widths, colours) is window rules
// (ui/rules/grid_header_captions.h, ui/rules/preset_grid_sizes.h, ui/rules/cell_colours.h).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orvel {

// --- Presets and banks -----------------------------------------------------------------

inline constexpr int kPresetCount = 100;
inline constexpr int kBankCount = 10;
inline constexpr int kPresetsPerBank = 10;
inline constexpr int kLoopCount = 6;
inline constexpr int kSwitchCount = 4;
inline constexpr int kAuxCount = 2;
inline constexpr int kControlCount = 7;
inline constexpr int kNameMaxLength = 15;

// --- Texts of preset values ------------------------------------------------------------

inline constexpr std::string_view kUnusedText = "unu";  // nothing is sent on that output
inline constexpr std::string_view kToggleText = "tog";  // the toggle value of a control

inline constexpr std::string_view kModifierPreset = "PRESET";
inline constexpr std::string_view kModifierLoop = "LOOP";
inline constexpr std::string_view kModifierSwitch = "SWITCH";
inline constexpr std::string_view kModifierMidi = "MIDI";

// Names of preset fields in messages about a value the controller cannot take and in the
// differences from the controller; the controls are "Ctrl 1" to "Ctrl 7". The grid's
// header shows the same names over these columns.
inline constexpr std::string_view kFieldModifier = "TYPE";
inline constexpr std::string_view kFieldName = "NAME";
inline constexpr std::string_view kFieldBuffer = "BUFFER";
inline constexpr std::string_view kFieldLoop = "LOOP";
inline constexpr std::string_view kFieldSwitch = "SWITCH";
inline constexpr std::string_view kFieldMidi1 = "MIDI1";
inline constexpr std::string_view kFieldMidi2 = "MIDI2";
inline constexpr std::string_view kFieldMidi3 = "MIDI3";
inline constexpr std::string_view kFieldAux = "AUX";
inline constexpr std::string_view kFieldControlPrefix = "Ctrl ";

// --- Byte codes of the preset image ----------------------------------------------------

// Byte positions.
inline constexpr int kByteLoops = 0;     // bit 0 buffer, bits 1-6 loops 1-6
inline constexpr int kByteSwitches = 1;  // bits 0-3 switches 1-4, bit 4 AUX 1, bit 5 AUX 2
inline constexpr int kByteMidi1 = 2;
inline constexpr int kByteMidi2 = 3;
inline constexpr int kByteModifier = 4;
inline constexpr int kByteFirstControl = 8;  // controls 1-7 in bytes 8-14
inline constexpr int kByteMidi3Program = 15;

inline constexpr int kBitFirstAux = 4;

// Modifier byte as written; when read back, bit 3 marks a part preset and bits 0, 1, 2
// name the part (loops, switches, MIDI).
inline constexpr std::uint8_t kModifierCodePreset = 0;
inline constexpr std::uint8_t kModifierCodeLoop = 9;
inline constexpr std::uint8_t kModifierCodeSwitch = 10;
inline constexpr std::uint8_t kModifierCodeMidi = 12;
inline constexpr std::uint8_t kModifierPartFlag = 0x08;
inline constexpr std::uint8_t kModifierLoopBit = 0x01;
inline constexpr std::uint8_t kModifierSwitchBit = 0x02;
inline constexpr std::uint8_t kModifierMidiBit = 0x04;

// Program Change bytes: 0 = "unu", 1-128 = the program number as shown.
inline constexpr std::uint8_t kProgramUnusedCode = 0;
inline constexpr int kProgramMin = 1;
inline constexpr int kProgramMax = 128;

// Control bytes: 0-127 = that value, then the codes below.
inline constexpr std::uint8_t kControlUnusedCode = 0x80;
inline constexpr std::uint8_t kControl128Code = 0x81;
inline constexpr std::uint8_t kControlToggleCode = 0xDE;
inline constexpr int kControlMin = 0;
inline constexpr int kControlMax = 128;

// What encoding takes in a program or control field: a number the controller reported
// (any byte's decimal text) or one typed into the grid. Programs 1 and 2 above 128 are sent
// as 128; a control of 128 is sent as 129, every other number as that byte.
inline constexpr int kEncodableMin = 0;
inline constexpr int kEncodableMax = 255;

// --- Bank functions (wah-pad), controller block 252 ------------------------------------

inline constexpr std::string_view kBankFunctionOnCaption = "Add";   // flag true
inline constexpr std::string_view kBankFunctionOffCaption = "Pr9";  // flag false

// --- The preset grid -------------------------------------------------------------------

inline constexpr int kHeaderRowCount = 2;
inline constexpr int kTableRowCount = kHeaderRowCount + kPresetCount;  // 102
inline constexpr int kColumnCount = 27;
inline constexpr int kFixedColumnCount = 2;

inline constexpr int kColumnBank = 0;
inline constexpr int kColumnPreset = 1;
inline constexpr int kColumnModifier = 2;
inline constexpr int kColumnName = 3;
inline constexpr int kColumnBuffer = 4;
inline constexpr int kFirstLoopColumn = 5;  // loops 1-6 in columns 5-10
inline constexpr int kLastLoopColumn = 10;
inline constexpr int kFirstSwitchColumn = 11;  // switches 1-4 in columns 11-14
inline constexpr int kLastSwitchColumn = 14;
inline constexpr int kColumnMidi1 = 15;
inline constexpr int kColumnMidi2 = 16;
inline constexpr int kColumnMidi3Program = 17;
inline constexpr int kFirstControlColumn = 18;  // controls 1-7 in columns 18-24
inline constexpr int kLastControlColumn = 24;
inline constexpr int kFirstAuxColumn = 25;  // AUX 1 and 2 in columns 25-26
inline constexpr int kLastAuxColumn = 26;

}  // namespace orvel
