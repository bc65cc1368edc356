// Names and texts of the preset file and of Orvel.ini, kept in one place: section and key
// names, the configuration's defaults and limits, and the words of file errors.
#pragma once

#include <cstddef>
#include <string_view>

namespace orvel {

// --- The preset file -------------------------------------------------------------------

inline constexpr std::string_view kPresetSectionPrefix = "preset";  // + preset number
inline constexpr std::string_view kSettingsSection = "settings";
inline constexpr std::string_view kBankSection = "bank";

// Keys of a preset section, in the order they are written.
inline constexpr std::string_view kKeyModifier = "modifier";
inline constexpr std::string_view kKeyName = "name";
inline constexpr std::string_view kKeyBuffer = "buffer";
inline constexpr std::string_view kKeyLoopPrefix = "l";     // l1-l6
inline constexpr std::string_view kKeySwitchPrefix = "sw";  // sw1-sw4
inline constexpr std::string_view kKeyMidi1 = "midi1";
inline constexpr std::string_view kKeyMidi2 = "midi2";
inline constexpr std::string_view kKeyMidi3Program = "midi3_pc";  // missing in the older layout
inline constexpr std::string_view kKeyCtrlPrefix = "ctrl";        // ctrl1-ctrl7
inline constexpr std::string_view kKeyAuxPrefix = "aux";          // aux1-aux2

// Keys of the settings section: key1-key8, midi1-midi3, ctrl1-ctrl7.
inline constexpr std::string_view kKeyTilePrefix = "key";
inline constexpr std::string_view kKeyMidiChannelPrefix = "midi";

// Keys of the bank section: wp0-wp9.
inline constexpr std::string_view kKeyBankFunctionPrefix = "wp";

inline constexpr std::string_view kTrueText = "1";
inline constexpr std::string_view kFalseText = "0";

inline constexpr std::string_view kIniExtension = ".ini";

// --- Orvel.ini -------------------------------------------------------------------------

inline constexpr std::string_view kConfigFileName = "Orvel.ini";
inline constexpr std::string_view kConfigSection = "CONFIG";
inline constexpr std::string_view kKeyPort = "COM";
inline constexpr std::string_view kKeyFile = "FILE";

inline constexpr int kPortBoxStartValue = 6;  // shown until a configuration is read
inline constexpr int kPortDefault = 1;        // a configuration without "COM"
inline constexpr int kPortMin = 1;
inline constexpr int kPortMax = 99;

// Where Orvel.ini goes when the current directory cannot be written:
// $XDG_CONFIG_HOME/orvel, else $HOME/.config/orvel.
inline constexpr std::string_view kConfigHomeVariable = "XDG_CONFIG_HOME";
inline constexpr std::string_view kHomeVariable = "HOME";
inline constexpr std::string_view kConfigHomeUnderHome = ".config";
inline constexpr std::string_view kUserConfigFolder = "orvel";

// --- Reading and writing ---------------------------------------------------------------

// A file bigger than this is no file of ours and is not read.
inline constexpr std::size_t kMaxIniFileBytes = 16 * 1024 * 1024;

// A failure reads: <prefix> "<path>": <detail>.
inline constexpr std::string_view kReadFailedPrefix = "Cannot read ";
inline constexpr std::string_view kSaveFailedPrefix = "Cannot save ";
inline constexpr std::string_view kDetailNotRegularFile = "it is not a regular file";
inline constexpr std::string_view kDetailTooLarge = "the file is too large";
inline constexpr std::string_view kDetailNotIni = "the text could not be taken as an INI file";
inline constexpr std::string_view kDetailNotPresetFile =
    "it is not a preset file (it has none of the sections preset0 to preset99, settings and bank)";
inline constexpr std::string_view kDetailNoFileName = "no file name was given";
inline constexpr std::string_view kDetailNoConfigFolder =
    "the current folder cannot be written and neither XDG_CONFIG_HOME nor HOME is set";

}  // namespace orvel
