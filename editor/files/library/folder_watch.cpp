#include "files/library/folder_watch.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/file_names.h"
#include "files/library/library_listing.h"

namespace orvel {

namespace {

// A file written and closed, created, moved in or out, deleted, or given other
// permissions; the watched folder itself removed or moved.
constexpr std::uint32_t kWatchMask = IN_CLOSE_WRITE | IN_CREATE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE | IN_ATTRIB |
                                     IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
constexpr std::size_t kEventBufferBytes = 64 * 1024;

std::vector<std::string> SubfoldersOf(const std::string& folder)
{
    std::vector<std::string> found;
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr) return found;
    const int fd = ::dirfd(directory);
    while (const dirent* item = ::readdir(directory)) {
        if (item->d_name[0] == '.') continue;  // ".", ".." and hidden folders
        struct stat info {};
        if (::fstatat(fd, item->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode))
            found.push_back(JoinPath(folder, item->d_name));
    }
    ::closedir(directory);
    return found;
}

// A file just created by open() is reported when it is closed after writing; a new link
// (symbolic or hard) gets no such event and is reported at once.
bool CreatedAsLink(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return true;
    return S_ISLNK(info.st_mode) || info.st_nlink > 1;
}

}  // namespace

FolderWatch::FolderWatch(Notify notify, std::chrono::milliseconds quiet) : notify_(std::move(notify)), quiet_(quiet)
{
    inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    wake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (inotify_ < 0 || wake_ < 0) {
        if (inotify_ >= 0) ::close(inotify_);
        inotify_ = -1;
        return;
    }
    thread_ = std::thread([this] { Run(); });
}

FolderWatch::~FolderWatch()
{
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
        thread_.join();
    }
    if (inotify_ >= 0) ::close(inotify_);
    if (wake_ >= 0) ::close(wake_);
}

void FolderWatch::Watch(const std::vector<std::string>& folders)
{
    if (inotify_ < 0) return;
    const std::lock_guard lock(mutex_);
    for (const auto& [descriptor, folder] : folders_) ::inotify_rm_watch(inotify_, descriptor);
    folders_.clear();
    roots_ = folders;
    for (const std::string& root : roots_) AddTree(root);
}

std::size_t FolderWatch::WatchedCount() const
{
    const std::lock_guard lock(mutex_);
    return folders_.size();
}

void FolderWatch::AddTree(const std::string& folder)
{
    const int descriptor = ::inotify_add_watch(inotify_, folder.c_str(), kWatchMask);
    if (descriptor < 0) return;
    folders_[descriptor] = folder;
    for (const std::string& subfolder : SubfoldersOf(folder)) AddTree(subfolder);
}

void FolderWatch::Collect(const char* buffer, long length, FolderChanges& changes)
{
    const std::lock_guard lock(mutex_);
    for (long at = 0; at < length;) {
        inotify_event event{};
        std::copy_n(buffer + at, sizeof event, reinterpret_cast<char*>(&event));
        const char* name = buffer + at + static_cast<long>(sizeof event);
        at += static_cast<long>(sizeof event + event.len);

        if (event.mask & IN_Q_OVERFLOW) {
            changes.lost = true;
            continue;
        }
        const auto watched = folders_.find(event.wd);
        if (watched == folders_.end()) continue;
        const std::string folder = watched->second;
        if (event.mask & IN_IGNORED) {
            folders_.erase(watched);
            continue;
        }
        if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
            // The folder itself went: whatever it held goes with it.
            changes.paths.push_back(folder);
            continue;
        }
        if (event.len == 0 || name[0] == '.') continue;  // hidden files and the editor's temporary ones
        const std::string path = JoinPath(folder, name);
        if (event.mask & IN_ISDIR) {
            if (event.mask & (IN_CREATE | IN_MOVED_TO)) AddTree(path);
            if (event.mask & IN_ATTRIB) continue;
        } else if ((event.mask & IN_CREATE) && !CreatedAsLink(path)) {
            continue;  // its IN_CLOSE_WRITE follows once it is written
        }
        changes.paths.push_back(path);
    }
}

void FolderWatch::Run()
{
    std::vector<char> buffer(kEventBufferBytes);
    FolderChanges changes;
    for (;;) {
        pollfd waits[2] = {{inotify_, POLLIN, 0}, {wake_, POLLIN, 0}};
        // Asleep until something happens; with changes collected, only until it is quiet.
        const bool collecting = !changes.paths.empty() || changes.lost;
        const int ready = ::poll(waits, 2, collecting ? static_cast<int>(quiet_.count()) : -1);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (waits[1].revents != 0) return;
        if (ready == 0) {
            std::sort(changes.paths.begin(), changes.paths.end());
            changes.paths.erase(std::unique(changes.paths.begin(), changes.paths.end()), changes.paths.end());
            notify_(std::move(changes));
            changes = {};
            continue;
        }
        const ssize_t length = ::read(inotify_, buffer.data(), buffer.size());
        if (length > 0) Collect(buffer.data(), static_cast<long>(length), changes);
    }
}

}  // namespace orvel
