#include "serial/threaded_state.h"

#include <cerrno>
#include <system_error>

#include "serial/comm_port.h"
#include "serial/error_texts.h"
#include "serial/serial_device.h"

namespace zudedize::threaded {

State& Library()
{
    static State state;
    return state;
}

TComm* CurrentPort()
{
    return Library().ports[Library().selector].get();
}

TComm* CurrentOpenPort()
{
    TComm* port = CurrentPort();
    return port != nullptr && port->IsOpen() ? port : nullptr;
}

void Record(const char* text, std::int32_t code)
{
    Library().last_error.Record(text, code);
}

std::int32_t CurrentOsError()
{
    return errno != 0 ? errno : kErrorInvalidHandle;
}

std::int32_t StartWorkerThread(std::thread& thread, std::function<void()> body)
{
    try {
        thread = CurrentSerialSystem().StartThread(std::move(body));
        return 0;
    } catch (const std::system_error& failure) {
        // Out of threads or memory for one: the port cannot work, and says why.
        const std::int32_t code = failure.code().value() != 0 ? failure.code().value() : EAGAIN;
        Record(texts::kThreadNotStarted, code);
        return code;
    }
}

}  // namespace zudedize::threaded
