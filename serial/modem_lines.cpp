#include "serial/modem_lines.h"

#include "serial/line_rules.h"
#include "zudedize/zudedize_constants.h"

namespace zudedize {

bool SetModemLine(SerialDevice* device, ModemControl function)
{
    return device != nullptr && device->EscapeFunction(function);
}

bool SetLinePattern(SerialDevice* device, std::uint8_t pattern, int wait_ms)
{
    const auto lines = LinePatternOf(pattern);
    const bool done = lines && SetModemLine(device, lines->dtr ? ModemControl::SetDtr : ModemControl::ClearDtr) &&
                      SetModemLine(device, lines->rts ? ModemControl::SetRts : ModemControl::ClearRts);
    Pause(wait_ms);
    return done;
}

std::uint8_t ModemStatusOf(SerialDevice* device)
{
    std::uint8_t status = 0;
    if (device == nullptr || !device->ModemStatus(status)) return 0;
    return status & (kModemCts | kModemDsr | kModemRing | kModemCarrier);
}

}  // namespace zudedize
