#include "zudedize/port_names.h"

#include <cstdlib>
#include <map>
#include <mutex>
#include <sys/stat.h>

namespace zudedize {

namespace {

struct Range {
    int first;
    const char* prefix;
};

constexpr Range kRanges[] = {{1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}};
constexpr int kPortsPerRange = 32;

std::mutex names_mutex;
std::map<int, std::string> given_names;  // NameComPort's

std::string GivenName(int n)
{
    const std::lock_guard lock(names_mutex);
    const auto found = given_names.find(n);
    return found == given_names.end() ? "" : found->second;
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {
    }, sb{};
    if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

std::string ComPortDevicePath(int n)
{
    if (n < 1 || n > kHighestPortNumber) return "";
    const std::string name = "ZUDEDIZE_COM" + std::to_string(n);
    if (const char* path = std::getenv(name.c_str()); path != nullptr && *path != '\0') return path;
    if (std::string given = GivenName(n); !given.empty()) return given;
    for (const Range& range : kRanges) {
        if (n >= range.first && n < range.first + kPortsPerRange) return range.prefix + std::to_string(n - range.first);
    }
    return "";
}

void NameComPort(int n, const std::string& path)
{
    if (n < 1 || n > kHighestPortNumber) return;
    const std::lock_guard lock(names_mutex);
    if (path.empty())
        given_names.erase(n);
    else
        given_names[n] = path;
}

std::string LptPortDevicePath(int n)
{
    if (n < 1 || n > kHighestPortNumber) return "";
    const std::string name = "ZUDEDIZE_LPT" + std::to_string(n);
    if (const char* path = std::getenv(name.c_str()); path != nullptr && *path != '\0') return path;
    return "/dev/lp" + std::to_string(n - 1);
}

int ComPortNumberOfDevice(const std::string& device_path)
{
    // Ports named in the environment first: they are the ones the user set up on purpose.
    for (int n = 1; n <= kHighestPortNumber; ++n) {
        const char* path = std::getenv(("ZUDEDIZE_COM" + std::to_string(n)).c_str());
        if (path != nullptr && *path != '\0' && SameFile(path, device_path)) return n;
    }
    for (int n = 1; n <= kHighestPortNumber; ++n) {
        const std::string path = ComPortDevicePath(n);
        if (!path.empty() && SameFile(path, device_path)) return n;
    }
    return 0;
}

}  // namespace zudedize
