#include "files/file_io.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <limits.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "files/file_constants.h"

namespace orvel {

namespace {

namespace fs = std::filesystem;

// Closes a descriptor when it goes out of scope, unless released.
class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;
    int Release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a path names, with a symbolic link at the path followed to its target.
std::string ResolvedTarget(const std::string& path)
{
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    const fs::path resolved = fs::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

std::string DirectoryOf(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// The longest name the folder's file system takes for one entry.
std::size_t LongestNameIn(const std::string& directory)
{
    const long limit = ::pathconf(directory.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : static_cast<std::size_t>(NAME_MAX);
}

// A name for the new file beside the target: hidden, and unique to this process and attempt.
// It carries as much of the target's name as fits, so that any name the folder takes can
// be saved this way.
std::string TemporaryNameBeside(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    const fs::path path(target);
    const std::string tail = ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    std::string kept = path.filename().string();
    const std::size_t longest = LongestNameIn(DirectoryOf(target));
    const std::size_t room = longest > tail.size() + 1 ? longest - tail.size() - 1 : 0;
    if (kept.size() > room) kept.resize(room);
    return (path.parent_path() / ("." + kept + tail)).string();
}

// Makes the rename itself durable; a folder that cannot be synced is no failure.
void SyncDirectory(const std::string& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool IsExistingFile(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

FileResult ReadWholeFile(const std::string& path, std::string& contents)
{
    if (path.empty()) return FileResult{FileStatus::NotFound, {}};
    // Non-blocking, so that a named pipe at the path cannot hold us; refused below anyway.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return FileResult{FileStatus::NotFound, {}};
        return ReadFailure(path, SystemErrorText(errno));
    }
    FdCloser closer(fd);

    struct stat info {};
    if (::fstat(fd, &info) != 0) return ReadFailure(path, SystemErrorText(errno));
    if (S_ISDIR(info.st_mode)) return ReadFailure(path, SystemErrorText(EISDIR));
    if (!S_ISREG(info.st_mode)) return ReadFailure(path, kDetailNotRegularFile);
    if (static_cast<std::size_t>(info.st_size) > kMaxIniFileBytes) return ReadFailure(path, kDetailTooLarge);

    std::string data;
    data.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return ReadFailure(path, SystemErrorText(errno));
        }
        if (got == 0) break;
        data.append(buffer, static_cast<std::size_t>(got));
        if (data.size() > kMaxIniFileBytes) return ReadFailure(path, kDetailTooLarge);
    }
    contents = std::move(data);
    return FileResult{};
}

namespace {

// A replacement under way: the file that gets the new contents and the new file beside it.
struct Replacement {
    std::string target;
    bool replacing = false;  // the target exists
    struct stat old_info {};
    std::string temporary;
    int fd = -1;  // the new file, open for writing
};

// The checks before a file is replaced, then the new file created beside it.
FileResult StartReplacement(const std::string& path, Replacement& r)
{
    if (path.empty()) return SaveFailure(path, kDetailNoFileName);
    r.target = ResolvedTarget(path);
    r.replacing = ::stat(r.target.c_str(), &r.old_info) == 0;
    if (r.replacing && S_ISDIR(r.old_info.st_mode)) return SaveFailure(path, SystemErrorText(EISDIR));
    if (r.replacing && !S_ISREG(r.old_info.st_mode)) return SaveFailure(path, kDetailNotRegularFile);
    if (r.replacing && ::access(r.target.c_str(), W_OK) != 0) return SaveFailure(path, SystemErrorText(errno));

    for (int attempt = 0; attempt < 100 && r.fd < 0; ++attempt) {
        r.temporary = TemporaryNameBeside(r.target);
        // 0666 lets the umask decide the permissions of a new file, as for any other.
        r.fd = ::open(r.temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (r.fd < 0 && errno != EEXIST) return SaveFailure(path, SystemErrorText(errno));
    }
    if (r.fd < 0) return SaveFailure(path, SystemErrorText(EEXIST));
    return FileResult{};
}

}  // namespace

FileResult MakeFolderFor(const std::string& folder, const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return SaveFailure(path, error.message());
    return {};
}

FileResult CheckReplaceable(const std::string& path)
{
    Replacement r;
    FileResult result = StartReplacement(path, r);
    if (r.fd >= 0) {
        ::close(r.fd);
        ::unlink(r.temporary.c_str());
    }
    return result;
}

FileResult ReplaceFileContents(const std::string& path, std::string_view contents)
{
    Replacement r;
    if (FileResult started = StartReplacement(path, r); started.status != FileStatus::Done) return started;
    FdCloser closer(r.fd);
    int error = 0;
    if (!WriteAll(r.fd, contents) || ::fsync(r.fd) != 0) error = errno;
    if (error == 0 && r.replacing) ::fchmod(r.fd, r.old_info.st_mode & 07777);  // best effort
    if (::close(closer.Release()) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(r.temporary.c_str(), r.target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(r.temporary.c_str());
        return SaveFailure(path, SystemErrorText(error));
    }
    SyncDirectory(DirectoryOf(r.target));
    return FileResult{};
}

}  // namespace orvel
