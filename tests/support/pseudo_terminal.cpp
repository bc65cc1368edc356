#include "tests/support/pseudo_terminal.h"

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace zudedize::test {

PseudoTerminal::PseudoTerminal(int port) : port_(port)
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) throw std::runtime_error("no pseudo-terminal");
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) != 0) throw std::runtime_error("no slave name");
    slave_path_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0) throw std::runtime_error("slave does not open");
    struct termios tio {};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    mapped_.emplace(PortVariable(port_), slave_path_);
}

PseudoTerminal::~PseudoTerminal()
{
    mapped_.reset();
    close(slave_);
    close(master_);
}

void PseudoTerminal::Send(const std::vector<std::uint8_t>& bytes)
{
    if (write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("master write failed");
}

std::optional<std::uint8_t> PseudoTerminal::Receive(int timeout_ms)
{
    struct pollfd p {
        master_, POLLIN, 0
    };
    if (poll(&p, 1, timeout_ms) != 1 || (p.revents & POLLIN) == 0) return std::nullopt;
    std::uint8_t byte = 0;
    if (read(master_, &byte, 1) != 1) return std::nullopt;
    return byte;
}

}  // namespace zudedize::test
