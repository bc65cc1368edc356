// A pseudo-terminal for the serial port tests: the library opens the slave side through a
// COM port number (ZUDEDIZE_COM<n>), the test plays the device on the master side.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/scoped_environment.h"

namespace zudedize::test {

class PseudoTerminal {
public:
    // Maps COM port `port` to the slave side for the lifetime of this object.
    explicit PseudoTerminal(int port);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& SlavePath() const { return slave_path_; }

    // Sends bytes to the port (they arrive as input there).
    void Send(const std::vector<std::uint8_t>& bytes);
    // The next byte the port wrote, or none within timeout_ms.
    std::optional<std::uint8_t> Receive(int timeout_ms = 1000);

private:
    int port_;
    int master_ = -1;
    int slave_ = -1;  // kept open so that the line never hangs up between opens
    std::string slave_path_;
    std::optional<orvel::testing::ScopedEnvironment> mapped_;  // the port's variable
};

using orvel::testing::PortVariable;
using orvel::testing::ScopedEnvironment;

}  // namespace zudedize::test
