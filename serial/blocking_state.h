// The blocking variant's port slots and library-wide state (internal).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "serial/serial_device.h"
#include "zudedize/blocking_api.h"
#include "zudedize/zudedize_constants.h"

namespace zudedize::blocking {

struct Slot {
    std::unique_ptr<SerialDevice> device;  // null: not open
    std::string path;
    std::uint8_t com_number = 0;
    std::uint8_t cts = 0;
    std::int32_t baud_rate = 0;
    std::uint8_t parity = 0;
    std::int32_t stop_bits_code = 0;
    std::int32_t data_bits = 0;
    std::int32_t write_timeout_s = 0;
    std::int32_t read_timeout_s = 0;
};

struct State {
    std::array<Slot, kSlotCount> slots;
    std::uint8_t selector = kInitialSelector;
    std::uint8_t port_delay_ms = kDefaultPortDelayMs;
    std::uint8_t cts_setting = kInitialCtsFlag;
    LineErrorFlags line_errors;
};

State& Library();
Slot& CurrentSlot();
// The current slot's device, or null when it is not open.
SerialDevice* CurrentDevice();
void WaitPortDelay();

}  // namespace zudedize::blocking
