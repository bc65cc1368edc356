// Watches folders and every folder below them (hidden ones left out) for files written,
// added, renamed, removed or given other permissions, through the kernel's inotify: the
// thread it runs sleeps until something happens, so a quiet library costs nothing. Changes
// that come close together are handed over together, a short while after the last one.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace orvel {

// What changed: the paths of files and folders that were written, added, removed or renamed
// (a folder named here may hold any number of changes), or, when the kernel's queue ran
// over, `lost` with no paths: anything may have changed.
struct FolderChanges {
    std::vector<std::string> paths;
    bool lost = false;
};

class FolderWatch {
public:
    using Notify = std::function<void(FolderChanges)>;

    // `notify` is called on the watch's thread, never after the destructor has returned.
    // `quiet`: how long after the last change the changes are handed over.
    explicit FolderWatch(Notify notify, std::chrono::milliseconds quiet = std::chrono::milliseconds(150));
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Whether the watch could be set up (inotify is there and the process may use it).
    bool Working() const { return inotify_ >= 0; }

    // Watches these folders and their subfolders, and no others. A folder that is not there
    // is passed by.
    void Watch(const std::vector<std::string>& folders);

    // How many folders are watched now.
    std::size_t WatchedCount() const;

private:
    void Run();
    // Adds a watch on the folder and its subfolders; the caller holds mutex_.
    void AddTree(const std::string& folder);
    void Collect(const char* buffer, long length, FolderChanges& changes);

    Notify notify_;
    std::chrono::milliseconds quiet_;
    int inotify_ = -1;
    int wake_ = -1;  // an eventfd that ends the thread's wait

    mutable std::mutex mutex_;
    std::vector<std::string> roots_;
    std::map<int, std::string> folders_;  // watch descriptor to folder path

    std::thread thread_;
};

}  // namespace orvel
