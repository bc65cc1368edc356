// The library follows its folders without a window: the indexer reads them on its threads,
// the watch hands it what changed, and an index built from their batches shows every file
// saved, added, changed, renamed or removed.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "files/library/folder_watch.h"
#include "files/library/library_index.h"
#include "files/library/library_indexer.h"
#include "tests/support/library_test_files.h"
#include "tests/support/temp_folder.h"

namespace orvel {
namespace {

// Generous for the sanitizer builds; the second the user waits at most is measured in bench/.
constexpr auto kDeadline = std::chrono::seconds(10);

// What the window does with the batches, done here under a lock.
class FollowedLibrary {
public:
    explicit FollowedLibrary(std::vector<std::string> folders)
        : indexer_([this](LibraryBatch batch) { Take(std::move(batch)); }), watch_([this](FolderChanges changes) {
              if (changes.lost)
                  indexer_.Rescan();
              else
                  indexer_.Changed(std::move(changes.paths));
          })
    {
        SetFolders(std::move(folders));
    }

    void SetFolders(std::vector<std::string> folders)
    {
        {
            const std::lock_guard lock(mutex_);
            index_.SetFolders(folders);
            settled_ = false;
        }
        indexer_.SetFolders(folders);
        watch_.Watch(folders);
    }

    // Waits until `holds` is true of the index; false at the deadline.
    bool WaitFor(const std::function<bool(const LibraryIndex&)>& holds)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kDeadline, [&] { return holds(index_); });
    }
    bool WaitUntilSettled()
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kDeadline, [&] { return settled_; });
    }

    const FolderWatch& Watch() const { return watch_; }

private:
    void Take(LibraryBatch batch)
    {
        const std::lock_guard lock(mutex_);
        for (const std::string& path : batch.removed) index_.Remove(path);
        for (LibraryFile& file : batch.files) index_.Put(std::move(file));
        settled_ = batch.settled;
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    LibraryIndex index_;
    bool settled_ = false;
    LibraryIndexer indexer_;
    FolderWatch watch_;  // feeds the indexer: it stops first
};

// The number of named presets of the file below the folder; -1 without a record, -2 for a
// file listed as no preset file.
std::function<bool(const LibraryIndex&)> Named(const std::string& path, int count)
{
    return [path, count](const LibraryIndex& index) {
        const std::optional<std::size_t> at = index.Find(path);
        if (!at) return count == -1;
        const LibraryFile& file = index.Files()[*at];
        return file.preset_file ? static_cast<int>(file.presets.size()) == count : count == -2;
    };
}

TEST(LibraryFollow, ShowsEveryChangeOfItsFoldersWithoutARestart)
{
    TempFolder folder;
    const std::string root = folder / "library";
    std::filesystem::create_directories(root);
    testing::WriteNamedSetup(root + "/a.ini", {{37, "Lead"}});
    WriteText(root + "/other.ini", "[window]\nwidth=3\n");

    FollowedLibrary library({root});
    ASSERT_TRUE(library.WaitUntilSettled());
    ASSERT_TRUE(library.WaitFor(Named(root + "/a.ini", 1)));
    ASSERT_TRUE(library.WaitFor(Named(root + "/other.ini", -2)));
    ASSERT_TRUE(library.Watch().Working());

    const struct {
        const char* what;
        std::function<void()> change;
        std::string path;
        int named;
    } steps[] = {
        {"saved by the editor",
         [&] {
             testing::WriteNamedSetup(root + "/b.ini", {{1, "One"}, {2, "Two"}});
         },
         root + "/b.ini", 2},
        {"written in place",
         [&] { WriteText(root + "/a.ini", "[preset11]\nname=X\n[preset12]\nname=Y\n[preset13]\nname=Z\n"); },
         root + "/a.ini", 3},
        {"a new folder with a file",
         [&] {
             std::filesystem::create_directories(root + "/sub/deeper");
             testing::WriteNamedSetup(root + "/sub/deeper/c.ini", {{5, "Five"}});
         },
         root + "/sub/deeper/c.ini", 1},
        {"renamed: the old name goes", [&] { std::filesystem::rename(root + "/b.ini", root + "/d.ini"); },
         root + "/b.ini", -1},
        {"renamed: the new name comes", [] {}, root + "/d.ini", 2},
        {"turned into no preset file", [&] { WriteText(root + "/d.ini", "[window]\n"); }, root + "/d.ini", -2},
        {"removed", [&] { std::filesystem::remove(root + "/a.ini"); }, root + "/a.ini", -1},
        {"a folder removed", [&] { std::filesystem::remove_all(root + "/sub"); }, root + "/sub/deeper/c.ini", -1},
        {"moved in from outside",
         [&] {
             std::filesystem::create_directories(folder / "outside");
             testing::WriteNamedSetup(folder / "outside/e.ini", {{9, "Nine"}});
             std::filesystem::rename(folder / "outside", root + "/moved");
         },
         root + "/moved/e.ini", 1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        EXPECT_TRUE(library.WaitFor(Named(step.path, step.named)));
    }

    // A hidden file stays out: by the time a file saved after it is in, it is not.
    testing::WriteNamedSetup(root + "/.hidden.ini", {{9, "Nine"}});
    testing::WriteNamedSetup(root + "/last.ini", {{9, "Nine"}});
    ASSERT_TRUE(library.WaitFor(Named(root + "/last.ini", 1)));
    EXPECT_TRUE(library.WaitFor(Named(root + "/.hidden.ini", -1)));
}

TEST(LibraryFollow, FoldersComeAndGoWithTheirFiles)
{
    TempFolder first;
    TempFolder second;
    testing::WriteNamedSetup(first / "a.ini", {{37, "Lead"}});
    testing::WriteNamedSetup(second / "b.ini", {{11, "Clean"}});

    FollowedLibrary library({first.path()});
    ASSERT_TRUE(library.WaitFor(Named(first / "a.ini", 1)));
    library.SetFolders({first.path(), second.path()});
    ASSERT_TRUE(library.WaitFor(Named(second / "b.ini", 1)));
    library.SetFolders({second.path()});
    ASSERT_TRUE(library.WaitUntilSettled());
    EXPECT_TRUE(library.WaitFor(Named(first / "a.ini", -1)));
    // The folder left out is no longer watched: a file saved there stays out.
    testing::WriteNamedSetup(first / "c.ini", {{1, "One"}});
    testing::WriteNamedSetup(second / "d.ini", {{1, "One"}});
    ASSERT_TRUE(library.WaitFor(Named(second / "d.ini", 1)));
    EXPECT_TRUE(library.WaitFor(Named(first / "c.ini", -1)));
}

// A listing again reads only what changed since: a thousand files are not read anew for one.
TEST(LibraryFollow, ListingAgainReadsOnlyWhatChanged)
{
    TempFolder folder;
    testing::WriteNamedSetup(folder / "a.ini", {{37, "Lead"}});
    testing::WriteNamedSetup(folder / "b.ini", {{11, "Clean"}});
    std::mutex mutex;
    std::condition_variable settled;
    std::vector<std::string> read;
    int jobs = 0;
    LibraryIndexer indexer([&](LibraryBatch batch) {
        const std::lock_guard lock(mutex);
        for (const LibraryFile& file : batch.files) read.push_back(ShownNameBelow(file.path, folder.path()));
        if (batch.settled) ++jobs;
        settled.notify_all();
    });
    const auto next_job_read = [&](const std::function<void()>& job) {
        std::unique_lock lock(mutex);
        const int done = jobs;
        read.clear();
        lock.unlock();
        job();
        lock.lock();
        EXPECT_TRUE(settled.wait_for(lock, kDeadline, [&] { return jobs > done; }));
        std::sort(read.begin(), read.end());
        return read;
    };
    EXPECT_EQ(next_job_read([&] { indexer.SetFolders({folder.path()}); }),
              (std::vector<std::string>{"a.ini", "b.ini"}));
    EXPECT_EQ(next_job_read([&] { indexer.Rescan(); }), std::vector<std::string>{});
    testing::WriteNamedSetup(folder / "b.ini", {{11, "Clean"}, {12, "Crunch"}});
    EXPECT_EQ(next_job_read([&] { indexer.Rescan(); }), std::vector<std::string>{"b.ini"});
    // A path the watch names is read again whatever its size and time say.
    EXPECT_EQ(next_job_read([&] { indexer.Changed({folder / "a.ini"}); }), std::vector<std::string>{"a.ini"});
}

}  // namespace
}  // namespace orvel
