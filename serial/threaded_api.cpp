// Threaded variant: opening and closing, line settings and lines, slots and enquiries.
#include "zudedize/threaded_api.h"

#include <algorithm>

#include "serial/comm_port.h"
#include "serial/error_texts.h"
#include "serial/line_rules.h"
#include "serial/modem_lines.h"
#include "serial/network_port_address.h"
#include "serial/threaded_state.h"
#include "zudedize/port_names.h"

namespace zudedize::threaded {

namespace {

std::uint16_t Seconds16(std::int32_t seconds)
{
    return static_cast<std::uint16_t>(std::clamp(seconds, 0, 0xFFFF));
}

// The port-settings registry step of Windows. Linux keeps no per-port settings to put
// right, so there is nothing to do.
void RunPortSettingsStep(std::uint8_t /*port*/) {}

std::int32_t OpenInCurrentSlot(std::uint8_t port, std::int32_t baud, std::int32_t write_timeout_s,
                               std::int32_t read_timeout_s)
{
    State& library = Library();
    if (library.initialised && CurrentOpenPort() != nullptr) {
        Record(texts::kAlreadyInitialised, kResultAlreadyInitialised);
        return kResultAlreadyInitialised;
    }
    // Codes 3 and 4 (mark, space) open with even parity; ChangeParity applies them.
    const std::uint8_t setting = library.parity_setting;
    const std::uint8_t parity = setting <= kParityOdd ? setting : kParityEven;
    std::unique_ptr<TComm>& slot = library.ports[library.selector];
    slot.reset();  // an earlier port object of the slot closes here
    slot = std::make_unique<TComm>(parity);
    slot->Configure(baud, port, Seconds16(write_timeout_s), Seconds16(read_timeout_s));
    const std::int32_t result = slot->Open();
    library.initialised = true;
    return result;
}

// The device of the current slot's open port, or null.
SerialDevice* CurrentOpenDevice()
{
    TComm* port = CurrentOpenPort();
    return port != nullptr ? port->Device() : nullptr;
}

}  // namespace

std::int32_t InitializePort(std::uint8_t port, std::int32_t baud, std::int32_t write_timeout_s,
                            std::int32_t read_timeout_s)
{
    RunPortSettingsStep(port);
    return OpenInCurrentSlot(port, baud, write_timeout_s, read_timeout_s);
}

std::int32_t pInitializePort(std::uint8_t port, std::int32_t baud, std::int32_t write_timeout_s,
                             std::int32_t read_timeout_s, std::uint8_t parity)
{
    Library().parity_setting = parity;
    return OpenInCurrentSlot(port, baud, write_timeout_s, read_timeout_s);
}

std::int32_t UnInitializePort()
{
    TComm* port = CurrentPort();
    return port != nullptr ? port->Close() : 0;
}

bool CharSent()
{
    TComm* port = CurrentOpenPort();
    if (port == nullptr || !port->Device()->Drain()) return false;
    Pause(CharSentWaitMs(port->BaudRate()));
    return true;
}

std::int32_t ClearPort()
{
    TComm* port = CurrentOpenPort();
    if (port == nullptr) return 0;
    if (const std::int32_t e = port->Device()->Purge(PurgeQueues::Output)) return e;
    return port->Device()->Purge(PurgeQueues::Input);
}

bool ChangeSpeedZudedize(std::int32_t baud)
{
    // A closed port has no line to change: false, rather than a success nothing stands behind.
    TComm* port = CurrentOpenPort();
    if (port == nullptr) return false;
    port->SetBaudRate(baud);
    const std::int32_t applied = port->ApplyLineSettings();
    Pause(kThreadedSettleMs);
    return applied == 0;
}

bool ChangeParity(std::uint8_t parity)
{
    TComm* port = CurrentOpenPort();
    if (port == nullptr || ClearPort() != 0) return false;
    Pause(kThreadedSettleMs);
    port->SetParity(parity);
    const std::int32_t applied = port->ApplyLineSettings();
    Pause(kThreadedSettleMs);
    return applied == 0;
}

bool MsSetTimeouts(std::int32_t write_ms, std::int32_t read_ms)
{
    TComm* port = CurrentPort();
    if (port == nullptr || write_ms < 0 || read_ms < 0) return false;
    return port->SetTimeouts(static_cast<std::uint32_t>(write_ms), static_cast<std::uint32_t>(read_ms)) == 0;
}

void UstawCTS(std::uint8_t cts)
{
    Library().cts_flag = cts;
}

bool SetDTRLine()
{
    return SetModemLine(CurrentOpenDevice(), ModemControl::SetDtr);
}
bool ClearDTRLine()
{
    return SetModemLine(CurrentOpenDevice(), ModemControl::ClearDtr);
}
bool SetRTSLine()
{
    return SetModemLine(CurrentOpenDevice(), ModemControl::SetRts);
}
bool ClearRTSLine()
{
    return SetModemLine(CurrentOpenDevice(), ModemControl::ClearRts);
}

bool UstawKanalZudedize(std::uint8_t pattern)
{
    return SetLinePattern(CurrentOpenDevice(), pattern, kThreadedLinePatternWaitMs);
}

std::uint8_t ModemStatus()
{
    return ModemStatusOf(CurrentOpenDevice());
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
    const TComm* port = Library().ports[slot].get();
    return port != nullptr ? port->ComNumber() : 0;
}

std::intptr_t GetCOMHandle(std::uint8_t slot)
{
    const TComm* port = Library().ports[slot].get();
    return port != nullptr ? port->Handle() : kNullHandle;
}

std::int32_t GetSpeed(std::uint8_t slot)
{
    const TComm* port = Library().ports[slot].get();
    return port != nullptr ? port->BaudRate() : 0;
}

bool SerialPortPresent(std::uint8_t port)
{
    return CurrentSerialSystem().CanOpen(ComPortDevicePath(port));
}

std::string PIPAdress(std::uint8_t port)
{
    return NetworkAddressOfPort(port);
}

bool IsError(char* text, std::int32_t* code)
{
    return Library().last_error.Take(text, code);
}

bool IsError(std::string& text, std::int32_t& code)
{
    return Library().last_error.Take(text, code);
}

}  // namespace zudedize::threaded
