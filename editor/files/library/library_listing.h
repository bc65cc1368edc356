// What a library folder holds: every preset file candidate in it and in its subfolders,
// with its size and modification time, so that a file is read again only when it changed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvel {

struct LibraryEntry {
    std::string path;              // the folder's path joined with the file's path below it
    std::int64_t modified_ns = 0;  // modification time, nanoseconds since 1970
    std::int64_t size = 0;

    bool operator==(const LibraryEntry&) const = default;
};

// Whether a file name is one the library looks at: it ends in ".ini", the extension "Open"
// loads, and does not start with a dot (hidden files, and the editor's own half-written
// temporary files, stay out).
bool IsLibraryFileName(std::string_view name);

// The size and modification time of the file at the path (a link is followed); false when
// there is no regular file there.
bool StatLibraryFile(const std::string& path, LibraryEntry& entry);

// Every file under the folder whose name IsLibraryFileName, found through its subfolders;
// hidden folders and links to folders are not entered (a link cannot lead the walk round in
// a circle), links to files are followed. Folders that cannot be read are passed by. In no
// particular order; empty when the folder is not there.
std::vector<LibraryEntry> ListLibraryFolder(const std::string& folder);

// Whether `path` is `folder` itself or lies below it.
bool IsInFolder(std::string_view path, std::string_view folder);

}  // namespace orvel
