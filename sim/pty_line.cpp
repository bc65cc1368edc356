#include "sim/pty_line.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <string>
#include <system_error>
#include <termios.h>

#include "sim/line_speed.h"

namespace kpxsim {

namespace {

[[noreturn]] void ThrowErrno(const char* what)
{
    throw std::system_error(errno, std::generic_category(), std::string{"kpx-sim: "} + what);
}

}  // namespace

PtyLine::PtyLine() : master_(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC))
{
    if (!master_.Valid()) ThrowErrno("posix_openpt");
    if (::grantpt(master_.Get()) != 0) ThrowErrno("grantpt");
    if (::unlockpt(master_.Get()) != 0) ThrowErrno("unlockpt");
    std::array<char, 128> name{};
    if (::ptsname_r(master_.Get(), name.data(), name.size()) != 0) ThrowErrno("ptsname_r");
    slave_path_ = name.data();

    slave_ = UniqueFd(::open(slave_path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!slave_.Valid()) ThrowErrno("open slave");
    struct termios settings {};
    if (::tcgetattr(slave_.Get(), &settings) != 0) ThrowErrno("tcgetattr");
    ::cfmakeraw(&settings);
    if (::tcsetattr(slave_.Get(), TCSANOW, &settings) != 0) ThrowErrno("tcsetattr");

    const int flags = ::fcntl(master_.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(master_.Get(), F_SETFL, flags | O_NONBLOCK) != 0) ThrowErrno("fcntl");
}

std::optional<unsigned> PtyLine::EditorSpeed() const
{
    if (!master_.Valid()) return std::nullopt;
    return LineOutputSpeed(master_.Get());
}

bool PtyLine::HasUnreadOutput() const
{
    if (!slave_.Valid()) return false;
    // Polling the slave also flushes bytes still on their way from the master.
    struct pollfd entry {
        slave_.Get(), POLLIN, 0
    };
    return ::poll(&entry, 1, 0) == 1 && (entry.revents & POLLIN) != 0;
}

void PtyLine::Close()
{
    master_.Reset();
    slave_.Reset();
}

}  // namespace kpxsim
