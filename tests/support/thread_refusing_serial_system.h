// The real serial services of this machine, except that the n-th thread the serial library
// asks for cannot be started, as on a system out of threads.
#pragma once

#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <thread>

#include "serial/serial_device.h"
#include "serial/termios_device.h"

namespace orvel::testing {

class ThreadRefusingSerialSystem final : public zudedize::SerialSystem {
public:
    // refused: 1 for the first thread asked for (an open port's event watcher), 2 for the
    // second (its write/read thread), ...
    explicit ThreadRefusingSerialSystem(int refused) : refused_(refused) {}

    std::unique_ptr<zudedize::SerialDevice> Open(const std::string& path, std::int32_t& error) override
    {
        return real_.Open(path, error);
    }
    bool CanOpen(const std::string& path) override { return real_.CanOpen(path); }
    std::thread StartThread(std::function<void()> body) override
    {
        if (++asked_ == refused_) throw std::system_error(EAGAIN, std::generic_category(), "no thread");
        return SerialSystem::StartThread(std::move(body));
    }

private:
    zudedize::TermiosSystem real_;
    int refused_;
    int asked_ = 0;
};

}  // namespace orvel::testing
