#include "cli/device_port.h"

#include <cerrno>
#include <stdlib.h>
#include <sys/stat.h>

#include "files/file_result.h"
#include "zudedize/port_names.h"

namespace orvel {

int PortNumberForDevice(const std::string& path, std::string& problem)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        problem = "cannot open " + path + ": " + SystemErrorText(errno);
        return 0;
    }
    if (const int named = zudedize::ComPortNumberOfDevice(path); named != 0) return named;
    for (int n = zudedize::kHighestPortNumber; n >= 1; --n) {
        if (!zudedize::ComPortDevicePath(n).empty()) continue;
        zudedize::NameComPort(n, path);
        return n;
    }
    problem = "no COM port number is free for " + path;
    return 0;
}

void NamePortForLoader(int n, const std::string& path)
{
    ::setenv(("ZUDEDIZE_COM" + std::to_string(n)).c_str(), path.c_str(), 1);
}

}  // namespace orvel
