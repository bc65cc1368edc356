// Reads the library's files away from the window's thread: lists the library folders,
// reads every file that is new or changed through the preset file's reader, on as many
// threads as the machine has cores (two to four), and
// hands the records over in batches as they come. Jobs run one after another in the order
// asked; a changed path (from a FolderWatch) is read or listed again by itself.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "files/library/library_listing.h"
#include "files/library/library_record.h"

namespace orvel {

struct LibraryBatch {
    std::vector<LibraryFile> files;    // read, or read again: each in the place of its old record
    std::vector<std::string> removed;  // files gone, or folders with everything below them
    bool settled = false;              // every job asked for so far has ended
};

class LibraryIndexer {
public:
    using Deliver = std::function<void(LibraryBatch)>;

    // `deliver` is called on the indexer's threads, one call at a time, never after the
    // destructor has returned. `readers`: threads reading files; 0 for the machine's cores.
    explicit LibraryIndexer(Deliver deliver, unsigned readers = 0);
    // Stops after the files being read now.
    ~LibraryIndexer();
    LibraryIndexer(const LibraryIndexer&) = delete;
    LibraryIndexer& operator=(const LibraryIndexer&) = delete;

    // The library folders: each is listed and its new and changed files read; the files of
    // a folder no longer in the list are removed.
    void SetFolders(std::vector<std::string> folders);
    // Paths that changed: a file is read again (or removed when gone), a folder listed
    // again with everything below it. Paths outside the folders are passed by.
    void Changed(std::vector<std::string> paths);
    // Every folder listed again (the watch lost track of some changes).
    void Rescan();

private:
    enum class JobKind { Folders, Paths, Rescan };
    struct Job {
        JobKind kind;
        std::vector<std::string> paths;
    };
    struct Read {
        LibraryEntry entry;
        std::string folder;
    };

    void Post(Job job);
    void Run();
    void SetFoldersNow(const std::vector<std::string>& folders);
    void ChangedNow(const std::vector<std::string>& paths);
    // Lists `path` (a folder, or one below it) again: gone files removed, new and changed
    // ones read; the whole of it removed when it is no longer there.
    void ListAgain(const std::string& path, const std::string& folder, std::vector<Read>& reads);
    void Forget(const std::string& path);
    void ReadFiles(const std::vector<Read>& reads);
    void ReadSome(const std::vector<Read>& reads, std::atomic<std::size_t>& next);
    void Take(LibraryFile file);
    void Flush(bool settled);

    Deliver deliver_;
    unsigned readers_;
    std::atomic<bool> stop_{false};

    std::mutex jobs_mutex_;
    std::condition_variable jobs_ready_;
    std::deque<Job> jobs_;

    // The worker's own: the folders and the files read, with their size and time then.
    std::vector<std::string> folders_;
    std::unordered_map<std::string, LibraryEntry> known_;

    std::mutex deliver_mutex_;  // one delivery at a time, in order
    std::mutex batch_mutex_;
    LibraryBatch pending_;
    std::chrono::steady_clock::time_point last_flush_;

    std::thread worker_;  // last: started once everything above is made
};

}  // namespace orvel
