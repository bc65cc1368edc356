// The link through a numbered serial port: the serial port library's threaded variant, its
// one port slot opened on the controller's line with whole-second time-outs.
#pragma once

#include <string>

#include "device/link/transport.h"

namespace orvel {

class SerialPortTransport final : public Transport {
public:
    bool Open(const LinkAddress& address, LinkPace pace) override;
    bool Close() override;
    bool Send(std::uint8_t byte) override;
    bool Receive(std::uint8_t& byte) override;
    std::string OpenFailure() const override { return open_failure_; }

private:
    std::string open_failure_;
};

}  // namespace orvel
