// Blocking variant: speed, parity and time-out changes, the modem lines, the port delay.
#include "blocking_state.h"
#include "line_rules.h"

namespace zudedize::blocking {

namespace {

bool Escape(ModemControl function) {
    SerialDevice* device = CurrentDevice();
    return device != nullptr && device->EscapeFunction(function);
}

}  // namespace

bool ChangeSpeedZudedize(std::int32_t baud) {
    ClearPort();
    WaitPortDelay();
    CurrentSlot().baud_rate = baud;
    return SetSerialParameters() == 0;
}

bool ChangeParity(std::uint8_t parity) {
    ClearPort();
    WaitPortDelay();
    CurrentSlot().parity = parity;
    return SetSerialParameters() == 0;
}

bool MsSetTimeouts(std::int32_t write_ms, std::int32_t read_ms) {
    SerialDevice* device = CurrentDevice();
    if (device == nullptr || write_ms < 0 || read_ms < 0) return false;
    CommTimeouts timeouts;
    if (device->GetTimeouts(timeouts) != 0) return false;
    timeouts = TimeoutsOf(static_cast<std::uint32_t>(write_ms), static_cast<std::uint32_t>(read_ms),
                          timeouts.read_multiplier, timeouts.write_multiplier);
    return device->SetTimeouts(timeouts) == 0;
}

void UstawCTS(std::uint8_t cts) {
    Library().cts_setting = cts;
    CurrentSlot().cts = cts;
}

bool SetDTRLine() { return Escape(ModemControl::SetDtr); }
bool ClearDTRLine() { return Escape(ModemControl::ClearDtr); }
bool SetRTSLine() { return Escape(ModemControl::SetRts); }
bool ClearRTSLine() { return Escape(ModemControl::ClearRts); }

bool UstawKanalZudedize(std::uint8_t pattern) {
    const auto lines = LinePatternOf(pattern);
    const bool done = lines && Escape(lines->dtr ? ModemControl::SetDtr : ModemControl::ClearDtr) &&
                      Escape(lines->rts ? ModemControl::SetRts : ModemControl::ClearRts);
    Pause(kBlockingLinePatternWaitMs);
    return done;
}

std::uint8_t ModemStatus() {
    SerialDevice* device = CurrentDevice();
    std::uint8_t status = 0;
    if (device == nullptr || !device->ModemStatus(status)) return 0;
    return status & (kModemCts | kModemDsr | kModemRing | kModemCarrier);
}

void SetPortDelay(std::uint8_t milliseconds) { Library().port_delay_ms = milliseconds; }

std::uint8_t PortDelay() { return Library().port_delay_ms; }

}  // namespace zudedize::blocking
