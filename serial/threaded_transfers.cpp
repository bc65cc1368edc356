// Threaded variant, the calling side of a single-byte transfer: hand the byte over to the
// port's write/read thread and wait until it is done or the port is closed.
#include <cerrno>

#include "comm_port.h"
#include "error_texts.h"
#include "threaded_api.h"
#include "threaded_state.h"

namespace zudedize::threaded {

namespace {

enum class Direction { Write, Read };

bool Signal(ManualResetEvent* event) {
    if (event == nullptr) return false;
    event->Set();
    return true;
}

bool Unsignal(ManualResetEvent* event) {
    if (event == nullptr) return false;
    event->Reset();
    return true;
}

// Steps common to WriteByte and ReadByte; for a read, `byte` receives the byte.
std::int32_t Transfer(Direction direction, std::uint8_t& byte) {
    TComm* port = CurrentPort();
    if (port == nullptr) return 0;
    Handover* handover = port->Transfers();
    if (handover == nullptr) {
        Record(texts::kPortNotOpen, kCodeTransferFault);
        return 0;
    }
    const bool write = direction == Direction::Write;
    Library().timeout = false;
    const ManualResetEvent* close = port->CloseEvent();

    // Take the token and hand the request over.
    const int first = WaitForAny({close, handover->ready.get()}, -1);
    if (first == kWaitFailed) {
        Record(texts::kWriteFailed, CurrentOsError());
    } else if (first == 0) {
        Record(write ? texts::kWriteAborted : texts::kReadRequestAborted, ECANCELED);
    } else if (first == 1) {
        if (write) handover->write_byte = byte;
        if (!Unsignal(handover->ready.get())) Record(texts::kEventNotReset, CurrentOsError());
        else if (!Signal((write ? handover->write_request : handover->read_request).get()))
            Record(texts::kEventNotSignalled, CurrentOsError());
    } else if (!write) {
        Record(texts::kWaitFailed, CurrentOsError());
    }

    // Wait until the write/read thread gives the token back.
    std::int32_t result = 0;
    if (WaitForAny({close, handover->ready.get()}, -1) == 1) {
        if (!Library().timeout) {
            if (!write) byte = handover->read_byte;
            result = 1;
        }
    } else {
        Record(texts::kWaitFailed, CurrentOsError());
    }

    if (!Signal(handover->ready.get())) {
        Record(write ? texts::kEventNotSignalled : texts::kEventNotReset, CurrentOsError());
        result = 0;
    }
    return result;
}

}  // namespace

std::int32_t WriteByte(std::uint8_t value) { return Transfer(Direction::Write, value); }

std::int32_t ReadByte(std::uint8_t& value) {
    std::uint8_t byte = 0;
    const std::int32_t result = Transfer(Direction::Read, byte);
    if (result == 1) value = byte;
    return result;
}

bool TimeOut() { return Library().timeout; }

}  // namespace zudedize::threaded
