// The folders of the set-up library: the default one under the user's data folder
// ($XDG_DATA_HOME/orvel/library, else ~/.local/share/orvel/library), made on first use, and
// the folders the user added, kept in "library.ini" (section "FOLDERS", keys "FOLDER1",
// "FOLDER2", ...) in the user's configuration folder beside Orvel.ini and recent.ini.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "files/file_result.h"

namespace orvel {

inline constexpr std::string_view kLibraryFoldersName = "library.ini";
inline constexpr std::string_view kLibraryFoldersSection = "FOLDERS";
inline constexpr std::string_view kLibraryFolderKeyPrefix = "FOLDER";

// The default library folder as the environment gives it now; empty when neither an
// absolute XDG_DATA_HOME nor HOME is set.
std::string DefaultLibraryFolder();

// Makes the folder (and those above it) when it is not there yet.
FileResult MakeLibraryFolder(const std::string& folder);

// Puts a folder at the end of the list, made absolute and tidy ("a/b/../c/" is "a/c"). The
// default folder (which `list` never holds) counts as listed. False, and nothing added, for
// an empty path, one holding a line break (which the list's file cannot keep), and a folder
// that is listed, lies inside a listed one or holds one: a file is in one folder only.
bool AddLibraryFolder(std::vector<std::string>& list, std::string_view folder, std::string_view default_folder);

// Takes a folder off the list; true when it was there.
bool RemoveLibraryFolder(std::vector<std::string>& list, std::string_view folder);

// The folders the user added, as kept in the user's configuration folder; empty without a
// folder or a file. Empty and repeated entries are skipped.
std::vector<std::string> LoadLibraryFolders(const std::string& user_folder);

// Keeps the list in the user's configuration folder, creating that folder when needed.
FileResult SaveLibraryFolders(const std::string& user_folder, const std::vector<std::string>& list);

}  // namespace orvel
