#include "files/library/library_indexer.h"

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel {

namespace {

// Reading from a cold disk waits as much as it computes: at least two readers, even on one core.
constexpr unsigned kFewestReaders = 2;
constexpr unsigned kMostReaders = 4;
constexpr std::size_t kFilesPerReader = 8;                       // fewer files are read by one thread
constexpr std::size_t kBatchFiles = 64;                          // a batch is handed over at this size
constexpr auto kBatchInterval = std::chrono::milliseconds(100);  // or after this long
// The library folder a path lies in; nullptr for none.
const std::string* FolderOf(const std::vector<std::string>& folders, const std::string& path)
{
    for (const std::string& folder : folders)
        if (IsInFolder(path, folder)) return &folder;
    return nullptr;
}

// Whether a path below its folder passes through no hidden file or folder ("a/.git/b.ini").
bool IsVisibleBelow(const std::string& path, const std::string& folder)
{
    const std::string below = ShownNameBelow(path, folder);
    return below == path ? path == folder : below.front() != '.' && below.find("/.") == std::string::npos;
}

}  // namespace

LibraryIndexer::LibraryIndexer(Deliver deliver, unsigned readers)
    : deliver_(std::move(deliver)),
      readers_(readers != 0 ? readers : std::clamp(std::thread::hardware_concurrency(), kFewestReaders, kMostReaders)),
      last_flush_(std::chrono::steady_clock::now()),
      worker_([this] { Run(); })
{
}

LibraryIndexer::~LibraryIndexer()
{
    {
        const std::lock_guard lock(jobs_mutex_);
        stop_ = true;
    }
    jobs_ready_.notify_all();
    worker_.join();
}

void LibraryIndexer::SetFolders(std::vector<std::string> folders)
{
    Post({JobKind::Folders, std::move(folders)});
}

void LibraryIndexer::Changed(std::vector<std::string> paths)
{
    Post({JobKind::Paths, std::move(paths)});
}

void LibraryIndexer::Rescan()
{
    Post({JobKind::Rescan, {}});
}

void LibraryIndexer::Post(Job job)
{
    {
        const std::lock_guard lock(jobs_mutex_);
        // Changed paths waiting behind others join them: one listing serves both.
        if (job.kind == JobKind::Paths && !jobs_.empty() && jobs_.back().kind == JobKind::Paths) {
            std::vector<std::string>& waiting = jobs_.back().paths;
            waiting.insert(waiting.end(), job.paths.begin(), job.paths.end());
        } else {
            jobs_.push_back(std::move(job));
        }
    }
    jobs_ready_.notify_one();
}

void LibraryIndexer::Run()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(jobs_mutex_);
            jobs_ready_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
            if (stop_) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        switch (job.kind) {
        case JobKind::Folders: SetFoldersNow(job.paths); break;
        case JobKind::Paths: ChangedNow(job.paths); break;
        case JobKind::Rescan: SetFoldersNow(folders_); break;
        }
        bool idle = false;
        {
            const std::lock_guard lock(jobs_mutex_);
            idle = jobs_.empty();
        }
        if (stop_) return;
        Flush(idle);
    }
}

void LibraryIndexer::SetFoldersNow(const std::vector<std::string>& folders)
{
    for (const std::string& old : folders_) {
        if (std::find(folders.begin(), folders.end(), old) != folders.end()) continue;
        Forget(old);
    }
    folders_ = folders;
    std::vector<Read> reads;
    for (const std::string& folder : folders_) ListAgain(folder, folder, reads);
    ReadFiles(reads);
}

void LibraryIndexer::ChangedNow(const std::vector<std::string>& paths)
{
    std::vector<Read> reads;
    std::vector<std::string> done;
    for (const std::string& path : paths) {
        if (std::find(done.begin(), done.end(), path) != done.end()) continue;
        done.push_back(path);
        const std::string* folder = FolderOf(folders_, path);
        if (folder == nullptr) continue;
        struct stat info {};
        const bool there = ::stat(path.c_str(), &info) == 0;
        if (there && S_ISDIR(info.st_mode)) {
            if (IsVisibleBelow(path, *folder)) ListAgain(path, *folder, reads);
            continue;
        }
        const std::size_t slash = path.rfind('/');
        LibraryEntry entry;
        if (there && IsVisibleBelow(path, *folder) && IsLibraryFileName(path.substr(slash + 1)) &&
            StatLibraryFile(path, entry)) {
            // Read again even when its size and time look the same: the watch saw it written.
            known_[path] = entry;
            reads.push_back({std::move(entry), *folder});
        } else {
            Forget(path);
        }
    }
    ReadFiles(reads);
}

void LibraryIndexer::ListAgain(const std::string& path, const std::string& folder, std::vector<Read>& reads)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        Forget(path);
        return;
    }
    std::vector<LibraryEntry> listed = ListLibraryFolder(path);
    std::sort(listed.begin(), listed.end(),
              [](const LibraryEntry& a, const LibraryEntry& b) { return a.path < b.path; });
    std::vector<std::string> gone;
    for (const auto& [known_path, stamp] : known_) {
        if (!IsInFolder(known_path, path)) continue;
        const auto found = std::lower_bound(listed.begin(), listed.end(), known_path,
                                            [](const LibraryEntry& e, const std::string& p) { return e.path < p; });
        if (found == listed.end() || found->path != known_path) gone.push_back(known_path);
    }
    for (const std::string& g : gone) Forget(g);
    for (LibraryEntry& entry : listed) {
        const auto known = known_.find(entry.path);
        if (known != known_.end() && known->second == entry) continue;  // read before, unchanged
        known_[entry.path] = entry;
        reads.push_back({std::move(entry), folder});
    }
}

void LibraryIndexer::Forget(const std::string& path)
{
    const std::size_t erased =
        std::erase_if(known_, [&path](const auto& item) { return IsInFolder(item.first, path); });
    if (erased == 0) return;
    const std::lock_guard lock(batch_mutex_);
    pending_.removed.push_back(path);
}

void LibraryIndexer::ReadFiles(const std::vector<Read>& reads)
{
    std::atomic<std::size_t> next{0};
    const std::size_t helpers = std::min<std::size_t>(readers_ - 1, reads.size() / kFilesPerReader);
    std::vector<std::thread> threads;
    threads.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i) threads.emplace_back([this, &reads, &next] { ReadSome(reads, next); });
    ReadSome(reads, next);
    for (std::thread& thread : threads) thread.join();
}

void LibraryIndexer::ReadSome(const std::vector<Read>& reads, std::atomic<std::size_t>& next)
{
    while (!stop_) {
        const std::size_t i = next++;
        if (i >= reads.size()) return;
        Take(ReadLibraryFile(reads[i].entry, reads[i].folder));
    }
}

void LibraryIndexer::Take(LibraryFile file)
{
    bool full = false;
    {
        const std::lock_guard lock(batch_mutex_);
        pending_.files.push_back(std::move(file));
        full = pending_.files.size() >= kBatchFiles || std::chrono::steady_clock::now() - last_flush_ >= kBatchInterval;
    }
    if (full) Flush(false);
}

void LibraryIndexer::Flush(bool settled)
{
    const std::lock_guard order(deliver_mutex_);
    LibraryBatch batch;
    {
        const std::lock_guard lock(batch_mutex_);
        if (pending_.files.empty() && pending_.removed.empty() && !settled) return;
        batch = std::move(pending_);
        pending_ = {};
        last_flush_ = std::chrono::steady_clock::now();
    }
    batch.settled = settled;
    deliver_(std::move(batch));
}

}  // namespace orvel
