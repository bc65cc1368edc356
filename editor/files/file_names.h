// File names: the ".ini" extension rule and joining a folder with a name.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

// The path with its extension replaced by ".ini". The extension is the part of the last
// path component from its last dot on; a name without a dot gets ".ini" added, and the
// empty name gives ".ini".
std::string WithIniExtension(std::string_view path);

// A folder and a name joined, with a '/' put between them when the folder does not end
// with one. An empty folder gives the name alone.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace orvel
