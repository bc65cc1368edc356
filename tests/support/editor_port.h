// The editor's end of a simulator's line in tests: the slave pseudo-terminal opened and set
// up the way the editor sets up a serial port.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <termios.h>
#include <vector>

#include "sim/unique_fd.h"

namespace kpxsim::testing {

using Bytes = std::vector<std::uint8_t>;

struct ReadResult {
    Bytes bytes;
    bool hung_up = false;  // end of file, EIO or POLLHUP: the line is gone
};

class EditorPort {
public:
    explicit EditorPort(const std::string& path, speed_t speed = B9600);  // raw, 8 bits

    void SetSpeed(speed_t speed);
    bool Write(const Bytes& bytes);  // false when the line refuses them
    // Waits for up to `count` bytes, giving up `timeout` after the call.
    ReadResult Read(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(2));
    void Close() { fd_.Reset(); }
    int Fd() const { return fd_.Get(); }

private:
    UniqueFd fd_;
};

}  // namespace kpxsim::testing
