#include "threaded_state.h"

#include <cerrno>

#include "comm_port.h"

namespace zudedize::threaded {

State& Library() {
    static State state;
    return state;
}

TComm* CurrentPort() { return Library().ports[Library().selector].get(); }

TComm* CurrentOpenPort() {
    TComm* port = CurrentPort();
    return port != nullptr && port->IsOpen() ? port : nullptr;
}

void Record(const char* text, std::int32_t code) { Library().last_error.Record(text, code); }

std::int32_t CurrentOsError() { return errno != 0 ? errno : kErrorInvalidHandle; }

}  // namespace zudedize::threaded
