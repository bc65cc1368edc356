// The library's index: the records of every file found in the library folders, kept in the
// folders' order and by name within a folder, and the search over their named presets.
// It lives on one thread (the window's); the records come from a LibraryIndexer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/library/library_record.h"

namespace orvel {

// A search as typed: words separated by spaces, every one of which must match. A word
// matches a preset whose name holds it (ignoring case), whose file's name below its folder
// holds it, or, for a word of one or two digits, whose preset number it is ("37", "7", "07").
struct LibraryQuery {
    std::vector<std::string> words;  // folded for search
    std::vector<int> numbers;        // per word: the preset number it names, or -1
};
LibraryQuery ParseLibraryQuery(std::string_view text);

// A preset the search found: the file's position in Files() and the preset's in its list.
struct LibraryHit {
    std::uint32_t file = 0;
    std::uint32_t preset = 0;
    bool operator==(const LibraryHit&) const = default;
};

class LibraryIndex {
public:
    // The library folders, in the order shown; records of files outside them are dropped.
    void SetFolders(std::vector<std::string> folders);
    const std::vector<std::string>& Folders() const { return folders_; }

    // Puts a record in, in the place of the one with the same path. Returns its position;
    // nullopt (and nothing changes) when the file lies in none of the folders.
    std::optional<std::size_t> Put(LibraryFile file);

    // Takes out the file at the path, or every file below it when the path is a folder.
    // Returns how many records went.
    std::size_t Remove(std::string_view path);

    const std::vector<LibraryFile>& Files() const { return files_; }
    std::optional<std::size_t> Find(std::string_view path) const;
    // The positions [first, last) of the files of folder `folder` (an index into Folders()).
    std::pair<std::size_t, std::size_t> FilesOfFolder(std::size_t folder) const;
    std::size_t PresetCount() const;

    // Every named preset that matches, in the order of the files and, within a file, the
    // grid's order. An empty query finds them all.
    std::vector<LibraryHit> Search(const LibraryQuery& query) const;

private:
    // Position of a file's folder in folders_; folders_.size() when it is in none.
    std::size_t FolderPosition(const std::string& folder) const;
    bool Before(const LibraryFile& a, const LibraryFile& b) const;

    std::vector<std::string> folders_;
    std::vector<LibraryFile> files_;
};

}  // namespace orvel
