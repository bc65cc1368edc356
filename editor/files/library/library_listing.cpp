#include "files/library/library_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/file_constants.h"
#include "files/file_names.h"

namespace orvel {

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1000000000;

void TakeStat(const struct stat& info, LibraryEntry& entry)
{
    entry.size = static_cast<std::int64_t>(info.st_size);
    entry.modified_ns = static_cast<std::int64_t>(info.st_mtim.tv_sec) * kNanosecondsPerSecond +
                        static_cast<std::int64_t>(info.st_mtim.tv_nsec);
}

void ListInto(const std::string& folder, std::vector<LibraryEntry>& found)
{
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr) return;
    std::vector<std::string> subfolders;
    const int fd = ::dirfd(directory);
    while (const dirent* item = ::readdir(directory)) {
        const std::string_view name(item->d_name);
        if (name.empty() || name.front() == '.') continue;
        struct stat own {};
        if (::fstatat(fd, item->d_name, &own, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISDIR(own.st_mode)) {
            subfolders.push_back(JoinPath(folder, name));
            continue;
        }
        if (!IsLibraryFileName(name)) continue;
        struct stat target = own;
        if (S_ISLNK(own.st_mode) && ::fstatat(fd, item->d_name, &target, 0) != 0) continue;
        if (!S_ISREG(target.st_mode)) continue;
        LibraryEntry entry;
        entry.path = JoinPath(folder, name);
        TakeStat(target, entry);
        found.push_back(std::move(entry));
    }
    ::closedir(directory);
    for (const std::string& subfolder : subfolders) ListInto(subfolder, found);
}

}  // namespace

bool IsLibraryFileName(std::string_view name)
{
    return !name.empty() && name.front() != '.' && name.ends_with(kIniExtension);
}

bool StatLibraryFile(const std::string& path, LibraryEntry& entry)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    entry.path = path;
    TakeStat(info, entry);
    return true;
}

std::vector<LibraryEntry> ListLibraryFolder(const std::string& folder)
{
    std::vector<LibraryEntry> found;
    ListInto(folder, found);
    return found;
}

bool IsInFolder(std::string_view path, std::string_view folder)
{
    while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
    if (path.size() < folder.size() || path.substr(0, folder.size()) != folder) return false;
    return path.size() == folder.size() || path[folder.size()] == '/' || folder == "/";
}

}  // namespace orvel
