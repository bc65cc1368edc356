// Blocking variant: opening, configuring and closing ports; slots and enquiries.
#include "serial/blocking_state.h"
#include "serial/line_rules.h"
#include "serial/network_port_address.h"
#include "serial/process_priority.h"
#include "zudedize/port_names.h"

namespace zudedize::blocking {

State& Library()
{
    static State state;
    return state;
}

Slot& CurrentSlot()
{
    return Library().slots[Library().selector];
}

SerialDevice* CurrentDevice()
{
    return CurrentSlot().device.get();
}

void WaitPortDelay()
{
    Pause(Library().port_delay_ms);
}

std::int32_t InitializePort(std::uint8_t port, std::int32_t baud, std::int32_t write_timeout_s,
                            std::int32_t read_timeout_s)
{
    return pInitializePort(port, baud, write_timeout_s, read_timeout_s, kParityEven);
}

std::int32_t pInitializePort(std::uint8_t port, std::int32_t baud, std::int32_t write_timeout_s,
                             std::int32_t read_timeout_s, std::uint8_t parity)
{
    const std::int32_t opened =
        pInitializeAnyPort(ComPortDevicePath(port), port, Library().cts_setting, baud, parity, kDefaultStopBitsCode,
                           kDefaultDataBits, write_timeout_s, read_timeout_s);
    if (opened != 0) return opened;
    SetProcessPriority(kRealTimePriority);
    return SetSerialParameters();
}

std::int32_t pInitializeLPTPort(std::uint8_t port, std::int32_t baud, std::int32_t write_timeout_s,
                                std::int32_t read_timeout_s)
{
    const std::int32_t opened =
        pInitializeAnyPort(LptPortDevicePath(port), port, 1, baud, kParityEven, kDefaultStopBitsCode, kDefaultDataBits,
                           write_timeout_s, read_timeout_s);
    return opened != 0 ? opened : SetSerialParameters();
}

std::int32_t pInitializeAnyPort(const std::string& path, std::uint8_t port, std::uint8_t cts, std::int32_t baud,
                                std::uint8_t parity, std::int32_t stop_bits_code, std::int32_t data_bits,
                                std::int32_t write_timeout_s, std::int32_t read_timeout_s)
{
    Slot& slot = CurrentSlot();
    // A device the slot still holds is closed first: left open it would stay locked (and
    // its descriptor lost) until the process ends.
    slot.device.reset();
    slot.path = path;
    slot.com_number = port;
    slot.cts = cts;
    slot.baud_rate = baud;
    slot.parity = parity;
    slot.stop_bits_code = stop_bits_code;
    slot.data_bits = data_bits;
    slot.write_timeout_s = write_timeout_s;
    slot.read_timeout_s = read_timeout_s;
    std::int32_t error = 0;
    slot.device = CurrentSerialSystem().Open(path, error);
    if (slot.device == nullptr) return kResultCannotOpen;
    WaitPortDelay();
    return 0;
}

std::int32_t SetSerialParameters()
{
    Slot& slot = CurrentSlot();
    SerialDevice* device = slot.device.get();
    if (device == nullptr) return kResultSlotNotOpen;
    std::uint32_t errors = 0;
    if (const std::int32_t e = device->CollectLineErrors(errors)) return e;
    LineSettings settings;
    settings.baud_rate = slot.baud_rate;
    settings.parity = slot.parity;
    settings.stop_bits_code = slot.stop_bits_code;
    settings.data_bits = slot.data_bits;
    settings.cts_output_flow = slot.cts != 0;
    if (const std::int32_t e = device->ApplyLineSettings(settings)) return e;
    if (const std::int32_t e = device->SetQueueSizes(kInputQueueSize, kOutputQueueSize)) return e;
    CommTimeouts timeouts;
    if (const std::int32_t e = device->GetTimeouts(timeouts)) return e;
    timeouts = TimeoutsOf(SecondsToMilliseconds(slot.write_timeout_s), SecondsToMilliseconds(slot.read_timeout_s),
                          timeouts.read_multiplier, timeouts.write_multiplier);
    if (const std::int32_t e = device->SetTimeouts(timeouts)) return e;
    if (const std::int32_t e = device->SetEventMask(kDefaultEventMask)) return e;
    if (const std::int32_t e = device->CollectLineErrors(errors)) return e;
    WaitPortDelay();
    return 0;
}

std::int32_t UnInitializePort()
{
    Library().port_delay_ms = kDefaultPortDelayMs;
    CurrentSlot().device.reset();
    return 0;
}

void SetComSelector(std::uint8_t slot)
{
    Library().selector = slot;
}

std::uint8_t GetComSelector()
{
    return Library().selector;
}

std::uint8_t GetCOMNumber(std::uint8_t slot)
{
    const Slot& s = Library().slots[slot];
    return s.device != nullptr ? s.com_number : 0;
}

std::intptr_t GetCOMHandle(std::uint8_t slot)
{
    const Slot& s = Library().slots[slot];
    return s.device != nullptr ? s.device->Handle() : kInvalidHandle;
}

std::int32_t GetSpeed(std::uint8_t slot)
{
    const Slot& s = Library().slots[slot];
    return s.device != nullptr ? s.baud_rate : 0;
}

bool SerialPortPresent(std::uint8_t port)
{
    return CurrentSerialSystem().CanOpen(ComPortDevicePath(port));
}

std::string PIPAdress(std::uint8_t port)
{
    return NetworkAddressOfPort(port);
}

}  // namespace zudedize::blocking
