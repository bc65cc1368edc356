// The loader protocol's steps. Each first looks at the current error code and, when it is
// set, does nothing and returns it; a step made of others checks it after each of them.
// Every step returns the current error code.
#pragma once

#include <cstdint>

namespace kpx2 {

// One byte on the open port (205 when it is not open, 20 when it is not sent).
std::uint8_t SendByte(std::uint8_t value);

// A zero byte at 500 bit/s: 20 ms of space, the controller's request for its service speed.
std::uint8_t SendBreak();

// Break, 2 ms, then the port at 9600.
std::uint8_t SwitchToServiceSpeed();

// Service switch, then the controller's maximum speed; no answer leaves 38400 without error.
std::uint8_t QueryMaximumSpeed();

// Service switch, frame A at 9600, then the port at the maximum speed.
std::uint8_t SwitchToMaximumSpeed();

// The controller's type, version digits and loader flag, each written when its pointer is
// not null. Needs the image initialised (203); a type other than 0x1F (or 0x1D with the
// loader flag) gives 206.
struct DeviceAnswer {
    std::uint8_t* type = nullptr;
    std::uint8_t* major = nullptr;
    std::uint8_t* minor = nullptr;
    std::uint8_t* revision = nullptr;
    std::uint8_t* loader_flag = nullptr;
};
std::uint8_t QueryTypeAndVersion(const DeviceAnswer& answer);

// Switch to maximum speed, then frame B and its status byte.
std::uint8_t SwitchToLoader();

// Erase with 31 s time-outs, then the port back to the 1 s time-outs.
std::uint8_t EraseFlash();

// The payload of block `index` in the send buffer, not sent (210 outside the image).
std::uint8_t BuildBlockPayload(std::int64_t index);

// Block `index` of the image to the controller.
std::uint8_t WriteBlock(std::int64_t index);

// The controller recomputes its flash CRC.
std::uint8_t RecomputeFlashCrc();

}  // namespace kpx2
