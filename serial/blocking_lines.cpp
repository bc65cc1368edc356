// Blocking variant: speed, parity and time-out changes, the modem lines, the port delay.
#include "serial/blocking_state.h"
#include "serial/line_rules.h"
#include "serial/modem_lines.h"

namespace zudedize::blocking {

bool ChangeSpeedZudedize(std::int32_t baud)
{
    ClearPort();
    WaitPortDelay();
    CurrentSlot().baud_rate = baud;
    return SetSerialParameters() == 0;
}

bool ChangeParity(std::uint8_t parity)
{
    ClearPort();
    WaitPortDelay();
    CurrentSlot().parity = parity;
    return SetSerialParameters() == 0;
}

bool MsSetTimeouts(std::int32_t write_ms, std::int32_t read_ms)
{
    SerialDevice* device = CurrentDevice();
    if (device == nullptr || write_ms < 0 || read_ms < 0) return false;
    CommTimeouts timeouts;
    if (device->GetTimeouts(timeouts) != 0) return false;
    timeouts = TimeoutsOf(static_cast<std::uint32_t>(write_ms), static_cast<std::uint32_t>(read_ms),
                          timeouts.read_multiplier, timeouts.write_multiplier);
    return device->SetTimeouts(timeouts) == 0;
}

void UstawCTS(std::uint8_t cts)
{
    Library().cts_setting = cts;
    CurrentSlot().cts = cts;
}

bool SetDTRLine()
{
    return SetModemLine(CurrentDevice(), ModemControl::SetDtr);
}
bool ClearDTRLine()
{
    return SetModemLine(CurrentDevice(), ModemControl::ClearDtr);
}
bool SetRTSLine()
{
    return SetModemLine(CurrentDevice(), ModemControl::SetRts);
}
bool ClearRTSLine()
{
    return SetModemLine(CurrentDevice(), ModemControl::ClearRts);
}

bool UstawKanalZudedize(std::uint8_t pattern)
{
    return SetLinePattern(CurrentDevice(), pattern, kBlockingLinePatternWaitMs);
}

std::uint8_t ModemStatus()
{
    return ModemStatusOf(CurrentDevice());
}

void SetPortDelay(std::uint8_t milliseconds)
{
    Library().port_delay_ms = milliseconds;
}

std::uint8_t PortDelay()
{
    return Library().port_delay_ms;
}

}  // namespace zudedize::blocking
