// The recent files of the File menu: the last preset files opened or saved, most recent
// first, at most eight. The list is kept in "recent.ini" (section "RECENT", keys "FILE1" to
// "FILE8") in the user's configuration folder, so that every run and every working folder
// shares it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_result.h"

namespace orvel {

inline constexpr std::size_t kRecentFileCount = 8;
inline constexpr std::string_view kRecentFilesName = "recent.ini";
inline constexpr std::string_view kRecentSection = "RECENT";
inline constexpr std::string_view kRecentKeyPrefix = "FILE";

using RecentFiles = std::vector<std::string>;

// Puts a path at the top of the list: an entry already there moves up, and the oldest one
// falls off past eight. The path is made absolute (and tidied) against the current folder
// first, so that the same file is one entry. An empty path, or one holding a line break
// (which the list's file cannot keep), changes nothing.
void AddRecentFile(RecentFiles& list, std::string_view path);

// Takes a path off the list; true when it was there.
bool RemoveRecentFile(RecentFiles& list, std::string_view path);

// What the window says when a recent file it was asked to open is gone.
std::string RecentFileMissingText(std::string_view path);

// The path of the list's file in the user's configuration folder; empty without a folder.
std::string RecentFilesPath(const std::string& user_folder);

// The list kept in the user's configuration folder. Without a folder or a file the list
// is empty; entries that are empty or repeated are skipped, and only the first eight kept.
RecentFiles LoadRecentFiles(const std::string& user_folder);

// Keeps the list in the user's configuration folder, creating the folder when needed.
FileResult SaveRecentFiles(const std::string& user_folder, const RecentFiles& list);

}  // namespace orvel
