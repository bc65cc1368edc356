// Numbers and texts of the controller's global settings, kept in one place: the option
// codes of the eight tiles, their balloon titles and help texts, the factory defaults, the
// bytes and bits of blocks 251 and 253, and the settings grid's layout.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orvel {

// --- The settings ----------------------------------------------------------------------

inline constexpr int kMidiChannelCount = 3;  // MIDI outputs 1-3
inline constexpr int kCtrlNumberCount = 7;   // CTRL numbers 1-7
inline constexpr int kTileCount = 8;         // key settings, tiles asg1-asg8 (numbered 1-8)

inline constexpr int kMidiChannelMin = 1;
inline constexpr int kMidiChannelMax = 16;
inline constexpr int kCtrlNumberMin = 0;
inline constexpr int kCtrlNumberMax = 127;

// What encoding takes: every text decoding gives (a channel is its byte plus 1, a CTRL number
// its byte), so a set-up read from a controller can always be written back to it.
inline constexpr int kEncodableChannelMax = 256;
inline constexpr int kEncodableCtrlNumberMax = 255;

// --- Option codes, in each tile's click order ------------------------------------------

inline constexpr std::string_view kBankModeConstant = "cb0";  // tile 1
inline constexpr std::string_view kBankModeHold = "cb1";
inline constexpr std::string_view kBankModeUpDown = "cb2";
inline constexpr std::string_view kBankModeUpDownRecall = "cb3";
inline constexpr std::string_view kWahPadOff = "uP0";  // tile 2
inline constexpr std::string_view kWahPadWp = "uP1";
inline constexpr std::string_view kWahPadTbwp = "uP2";
inline constexpr std::array<std::string_view, 6> kWahLoopCodes = {  // tile 3, loops 1-6
    "uL1", "uL2", "uL3", "uL4", "uL5", "uL6"};
inline constexpr std::string_view kSequencesAlways = "ot0";  // tile 4
inline constexpr std::string_view kSequencesFirstPress = "ot1";
inline constexpr std::string_view kTapTempoOff = "tt0";  // tile 5
inline constexpr std::string_view kTapTempoOn = "tt1";
inline constexpr std::string_view kMidiModeProgram = "n3P";  // tile 6
inline constexpr std::string_view kMidiModeControls = "n3c";
inline constexpr std::string_view kMidiModeAdvanced = "n3A";
inline constexpr std::string_view kTunerOutput = "tu1";  // tile 7
inline constexpr std::string_view kTunerProcessor = "tu2";
inline constexpr std::string_view kTunerOutputByFootswitch = "tu3";
inline constexpr std::string_view kTunerProcessorByFootswitch = "tu4";
inline constexpr std::string_view kAuxFunction1 = "AF1";  // tile 8
inline constexpr std::string_view kAuxFunction2 = "AF2";

// --- Factory defaults ------------------------------------------------------------------

inline constexpr std::array<std::string_view, kMidiChannelCount> kDefaultMidiChannels = {"1", "2", "3"};
inline constexpr std::array<std::string_view, kCtrlNumberCount> kDefaultCtrlNumbers = {"81", "82", "83", "84",
                                                                                       "85", "86", "87"};
inline constexpr int kDefaultCtrlNumberBase = 80;  // CTRL number N defaults to 80 + N
inline constexpr std::array<std::string_view, kTileCount> kDefaultKeyCodes = {"cb1", "uP0", "uL1", "ot0",
                                                                              "tt0", "n3P", "tu1", "AF1"};

// --- Balloons over the tiles -----------------------------------------------------------

// Titles of tiles 1-8.
inline constexpr std::array<std::string_view, kTileCount> kBalloonTitles = {
    "BANKS",          "WAH PAD MODE", "WAH PAD CONNECTION", "MIDI 1 SEQUENCES",
    "TAP TEMPO MODE", "MIDI MODE",    "TUNER MODE",         "AUX MODE"};

// Help texts of tiles 1-8; "\r" (0x0D) breaks a line.
inline constexpr std::array<std::string_view, kTileCount> kBalloonTexts = {
    "cb0 - constantly selected bank No. 0\r"
    "cb1 - changing the bank by pressing and holding (over 1 second) footswitches\r"
    "cb2 - changing the bank by using BANK UP footswitch to increase or BANK DOWN footswitch "
    "to decrease a bank number\r"
    "cb3 - changing the bank by using BANK UP footswitch to increase or BANK DOWN footswitch "
    "to decrease a bank number with immediate recalling of the preset",

    "uP0 - wah-pad not active\r"
    "uP1 - WP type wah-pad connected\r"
    "uP2 - TBWP type wah-pad connected",

    "uL1 - wah-pad connected to the LOOP1 loop\r"
    "uL2 - wah-pad connected to the LOOP2 loop\r"
    "uL3 - wah-pad connected to the LOOP3 loop\r"
    "uL4 - wah-pad connected to the LOOP4 loop\r"
    "uL5 - wah-pad connected to the LOOP5 loop\r"
    "uL6 - wah-pad connected to the LOOP6 loop",

    "ot0 - mode of transmitting Program Change commands always when a preset footswitch is "
    "pressed\r"
    "ot1 - mode of transmitting Program Change commands only when a given preset footswitch "
    "is pressed for the first time",

    "ut0 - tap tempo function not active\r"
    "ut1 - tap tempo function active (Control Change 50h 00h/7Fh)",

    "n3p - only Program Change command can be transmitted to a MIDI 3 device\r"
    "n3c - to MIDI 3 device can be sent seven Control Change and one Program Change "
    "commands\r"
    "n3A - to MIDI 3 device can be sent three Control Change and one Program Change "
    "commands and there is a possibility to send four Program Change commands to devices "
    "MIDI4 to MIDI7 (PC4 to PC7)",

    "tu1 - a guitar tuner connected to TUNER output\r"
    "tu2 - used built in MIDI processor tuner\r"
    "tu3 - tuner connected to the TUNER output, only by pressing footswitch No. 6\r"
    "tu4 - using built-in tuner in MIDI processor, (recalling program No. 100 with muted "
    "signal) activation by pressing footswitch No 6",

    "AF1 - AUX output function No. 1 - controlling AUX 2 x LOOP, AUX A/B SWITCH, AUX SWITCH "
    "5&6 OUT modules\r"
    "AF2 - AUX output function No. 2 - working with AUX BANK UP/DOWN with MIDI IN footswitch"};

// Preview labels of footswitches 5 and 10 when the bank is stepped by footswitch.
inline constexpr std::string_view kBankDownLabel = "BANK DOWN";
inline constexpr std::string_view kBankUpLabel = "BANK UP";

// --- Controller blocks 251 and 253 -----------------------------------------------------

// Their addresses, and block 250 read along with them, are the command protocol's.
// Block 251, bytes 0-6: CTRL numbers 1-7; block 253: options and MIDI channels.

// Firmware from this version on knows "cb3", "n3A" (on reading) and the AUX mode.
inline constexpr std::uint8_t kFirmwareWithExtendedOptions = 2;

// Block 253 byte positions.
inline constexpr int kOptionByteFlags = 0;
inline constexpr int kOptionByteAuxMode = 1;       // 0 = "AF1", 1 = "AF2"
inline constexpr int kOptionByteFirstChannel = 2;  // channels of outputs 1-3 minus 1, bytes 2-4
inline constexpr int kOptionByteWahLoop = 5;       // 0-5 = "uL1"-"uL6"
inline constexpr int kOptionByteMoreFlags = 6;

// Bits of byte 0.
inline constexpr std::uint8_t kFlagBankConstant = 0x01;      // "cb0"
inline constexpr std::uint8_t kFlagBankUpDown = 0x02;        // "cb2"
inline constexpr std::uint8_t kFlagWahPadActive = 0x04;      // "uP1" or "uP2"
inline constexpr std::uint8_t kFlagTapTempo = 0x08;          // "tt1"
inline constexpr std::uint8_t kFlagSequences = 0x10;         // "ot1"
inline constexpr std::uint8_t kFlagWahPadTbwp = 0x20;        // "uP2", with the active bit
inline constexpr std::uint8_t kFlagMidiControls = 0x40;      // "n3c"
inline constexpr std::uint8_t kFlagTunerInProcessor = 0x80;  // "tu2" or "tu4"

// Bits of byte 6.
inline constexpr std::uint8_t kFlagBankUpDownRecall = 0x01;   // "cb3"
inline constexpr std::uint8_t kFlagMidiAdvanced = 0x02;       // "n3A"
inline constexpr std::uint8_t kFlagTunerByFootswitch = 0x04;  // "tu3" or "tu4"

inline constexpr std::uint8_t kAuxModeCode1 = 0;
inline constexpr std::uint8_t kAuxModeCode2 = 1;

// Names of settings fields in messages about a value the controller cannot take, followed
// by the field's number (1-3 or 1-7).
inline constexpr std::string_view kFieldMidiChannelPrefix = "MIDI channel ";
inline constexpr std::string_view kFieldCtrlNumberPrefix = "CTRL number ";

// --- The settings grid aSetup ----------------------------------------------------------

inline constexpr int kSetupColumnCount = 10;
inline constexpr int kSetupRowCount = 3;
inline constexpr int kSetupHeaderRowCount = 2;
inline constexpr int kSetupValueRow = 2;
inline constexpr int kSetupFirstChannelColumn = 0;  // MIDI channels in columns 0-2
inline constexpr int kSetupFirstCtrlColumn = 3;     // CTRL numbers in columns 3-9

}  // namespace orvel
