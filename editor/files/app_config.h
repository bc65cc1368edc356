// Orvel.ini: the serial port number and the current preset file, kept between runs in
// section "CONFIG", keys "COM" and "FILE". It lives in the user's configuration folder
// ($XDG_CONFIG_HOME/orvel, else ~/.config/orvel), beside recent.ini and the print settings.
// A working folder that holds an Orvel.ini of its own (a portable folder, or one from an
// older run) wins: that file is read and updated there. Nothing new is made in the working
// folder.
#pragma once

#include <string>
#include <string_view>

#include "files/editor_state.h"
#include "files/file_result.h"

namespace orvel {

// The two folders Orvel.ini may live in.
struct ConfigPlaces {
    std::string working_folder;  // the current working directory
    std::string user_folder;     // $XDG_CONFIG_HOME/orvel (when absolute), else $HOME/.config/orvel;
                                 // empty without either
};

// The folders as they are for this process now.
ConfigPlaces CurrentConfigPlaces();

// The path of the Orvel.ini to read: the working folder's when one is there, else the user
// folder's when one is there; empty when there is none.
std::string ConfigFileToRead(const ConfigPlaces& places);

// The path to write Orvel.ini to: the working folder's when one is there, else the user
// folder's; empty when there is no user folder.
std::string ConfigFileToWrite(const ConfigPlaces& places);

// The values of a configuration text: "COM" (1 when missing or not a number, then held to
// 1-99) and "FILE" (empty when missing).
struct ConfigValues {
    int port_number = 1;
    std::string file;
};
ConfigValues ParseConfigText(std::string_view text);

// The text of `existing` with "COM" and "FILE" set; false when it cannot be produced.
bool ConfigFileText(std::string_view existing, int port_number, const std::string& file, std::string& text);

// At start-up. Without an Orvel.ini nothing changes (NotFound). Otherwise the port number
// and the current file name are taken from it; when no file is under that name the name
// is cleared, else the name with ".ini" as its extension is loaded into the table and the
// settings; then "Save" is enabled. An Orvel.ini that cannot be read changes nothing
// (Failed); a preset file that cannot be read is reported (Failed) after all the rest is done.
FileResult ReadConfiguration(EditorState& state, const ConfigPlaces& places);

// When the window closes: writes the port number and the current file name with ".ini"
// as its extension (".ini" for no name) into Orvel.ini (ConfigFileToWrite), creating it
// (and the user folder) when needed, keeping whatever else it holds.
FileResult WriteConfiguration(const EditorState& state, const ConfigPlaces& places);

}  // namespace orvel
