#include "files/library/library_index.h"

#include <algorithm>

namespace orvel {

namespace {

constexpr std::size_t kNumberWordMaxDigits = 2;

int NumberOfWord(std::string_view word)
{
    if (word.empty() || word.size() > kNumberWordMaxDigits) return -1;
    int number = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

}  // namespace

LibraryQuery ParseLibraryQuery(std::string_view text)
{
    LibraryQuery query;
    const std::string folded = FoldForSearch(text);
    std::size_t start = 0;
    while (start < folded.size()) {
        const std::size_t begin = folded.find_first_not_of(" \t", start);
        if (begin == std::string::npos) break;
        std::size_t end = folded.find_first_of(" \t", begin);
        if (end == std::string::npos) end = folded.size();
        query.words.push_back(folded.substr(begin, end - begin));
        query.numbers.push_back(NumberOfWord(query.words.back()));
        start = end;
    }
    return query;
}

void LibraryIndex::SetFolders(std::vector<std::string> folders)
{
    folders_ = std::move(folders);
    std::erase_if(files_, [this](const LibraryFile& file) { return FolderPosition(file.folder) == folders_.size(); });
    std::stable_sort(files_.begin(), files_.end(),
                     [this](const LibraryFile& a, const LibraryFile& b) { return Before(a, b); });
}

std::size_t LibraryIndex::FolderPosition(const std::string& folder) const
{
    return static_cast<std::size_t>(std::find(folders_.begin(), folders_.end(), folder) - folders_.begin());
}

bool LibraryIndex::Before(const LibraryFile& a, const LibraryFile& b) const
{
    const std::size_t folder_a = FolderPosition(a.folder);
    const std::size_t folder_b = FolderPosition(b.folder);
    if (folder_a != folder_b) return folder_a < folder_b;
    return a.shown_name < b.shown_name;
}

std::optional<std::size_t> LibraryIndex::Put(LibraryFile file)
{
    if (FolderPosition(file.folder) == folders_.size()) return std::nullopt;
    if (const std::optional<std::size_t> old = Find(file.path)) files_.erase(files_.begin() + static_cast<long>(*old));
    const auto place = std::lower_bound(files_.begin(), files_.end(), file,
                                        [this](const LibraryFile& a, const LibraryFile& b) { return Before(a, b); });
    const auto position = static_cast<std::size_t>(place - files_.begin());
    files_.insert(place, std::move(file));
    return position;
}

std::size_t LibraryIndex::Remove(std::string_view path)
{
    return static_cast<std::size_t>(
        std::erase_if(files_, [path](const LibraryFile& file) { return IsInFolder(file.path, path); }));
}

std::optional<std::size_t> LibraryIndex::Find(std::string_view path) const
{
    // A file's place follows from its path: its folder and its name below that folder.
    LibraryFile probe;
    probe.path = path;
    const auto folder = std::find_if(folders_.begin(), folders_.end(),
                                     [&probe](const std::string& f) { return IsInFolder(probe.path, f); });
    if (folder == folders_.end()) return std::nullopt;
    probe.folder = *folder;
    probe.shown_name = ShownNameBelow(probe.path, probe.folder);
    const auto found = std::lower_bound(files_.begin(), files_.end(), probe,
                                        [this](const LibraryFile& a, const LibraryFile& b) { return Before(a, b); });
    if (found == files_.end() || found->path != path) return std::nullopt;
    return static_cast<std::size_t>(found - files_.begin());
}

std::pair<std::size_t, std::size_t> LibraryIndex::FilesOfFolder(std::size_t folder) const
{
    const auto in = [this](std::size_t f) {
        return [this, f](const LibraryFile& file) { return FolderPosition(file.folder) < f; };
    };
    const auto first = std::partition_point(files_.begin(), files_.end(), in(folder));
    const auto last = std::partition_point(first, files_.end(), in(folder + 1));
    return {static_cast<std::size_t>(first - files_.begin()), static_cast<std::size_t>(last - files_.begin())};
}

std::size_t LibraryIndex::PresetCount() const
{
    std::size_t count = 0;
    for (const LibraryFile& file : files_) count += file.presets.size();
    return count;
}

std::vector<LibraryHit> LibraryIndex::Search(const LibraryQuery& query) const
{
    std::vector<LibraryHit> hits;
    const std::size_t words = query.words.size();
    std::vector<char> in_file_name(words);
    for (std::size_t f = 0; f < files_.size(); ++f) {
        const LibraryFile& file = files_[f];
        for (std::size_t w = 0; w < words; ++w)
            in_file_name[w] = file.folded_name.find(query.words[w]) != std::string::npos;
        for (std::size_t p = 0; p < file.presets.size(); ++p) {
            const LibraryPreset& preset = file.presets[p];
            bool all = true;
            for (std::size_t w = 0; all && w < words; ++w) {
                all = in_file_name[w] || query.numbers[w] == preset.number ||
                      preset.folded_name.find(query.words[w]) != std::string::npos;
            }
            if (all) hits.push_back({static_cast<std::uint32_t>(f), static_cast<std::uint32_t>(p)});
        }
    }
    return hits;
}

}  // namespace orvel
