#include "loader/port_control.h"

#include "loader/loader_state.h"
#include "zudedize/blocking_api.h"

namespace kpx2 {

namespace serial = zudedize::blocking;

std::uint8_t OpenPort(std::uint8_t port, std::int32_t speed, std::int32_t write_timeout_s, std::int32_t read_timeout_s)
{
    LoaderState& state = Loader();
    if (state.error != code::kSuccess) return state.error;
    if (!state.port_number_set) return Fail(code::kPortNumberNotSet);

    const PortParameters wanted{port, speed, write_timeout_s, read_timeout_s};
    if (state.port_open && (wanted != state.port || state.cts_setting != kOpenCtsSetting)) {
        serial::CharSent();
        ClosePort();
    }
    if (state.port_open) return state.error;

    state.port = wanted;
    state.cts_setting = kOpenCtsSetting;
    serial::SetPortDelay(kOpenPortDelayMs);
    serial::UstawCTS(state.cts_setting);
    state.port_open = serial::InitializePort(port, speed, write_timeout_s, read_timeout_s) == 0;
    if (state.port_open) {
        serial::ChangeParity(kLineParity);
    } else {
        // A device that opened but could not be set up is let go, not held until the process ends.
        serial::UnInitializePort();
        Fail(code::kCannotOpenPort);
    }
    return state.error;
}

std::uint8_t OpenPortAt(std::int32_t speed)
{
    return OpenPort(Loader().port.number, speed, kStepTimeoutS, kStepTimeoutS);
}

std::uint8_t OpenPortForErase(std::int32_t speed)
{
    return OpenPort(Loader().port.number, speed, kEraseTimeoutS, kEraseTimeoutS);
}

void ClosePort()
{
    LoaderState& state = Loader();
    if (!state.port_open || state.leave_port_open) return;
    serial::ClearPort();
    serial::UnInitializePort();
    state.port_open = false;
}

}  // namespace kpx2
