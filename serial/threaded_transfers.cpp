// Threaded variant, the calling side of a single-byte transfer: hand the byte over to the
// port's write/read thread and wait until it is done or the port is closed.
#include <cerrno>

#include "serial/comm_port.h"
#include "serial/error_texts.h"
#include "serial/threaded_state.h"
#include "zudedize/threaded_api.h"

namespace zudedize::threaded {

namespace {

enum class Direction { Write, Read };

bool Signal(ManualResetEvent* event)
{
    return event != nullptr && event->Set();
}

bool Unsignal(ManualResetEvent* event)
{
    return event != nullptr && event->Reset();
}

// Steps common to WriteByte and ReadByte; for a read, `byte` receives the byte.
std::int32_t TransferOneByte(Direction direction, std::uint8_t& byte)
{
    // Cleared before anything else, so that TimeOut never tells of an earlier call.
    Library().timeout = false;
    TComm* port = CurrentPort();
    if (port == nullptr) return 0;
    Handover* handover = port->Transfers();
    if (handover == nullptr) {
        Record(texts::kPortNotOpen, kCodeTransferFault);
        return 0;
    }
    const bool write = direction == Direction::Write;
    const ManualResetEvent* close = port->CloseEvent();

    // Take the token and hand the request over.
    const int first = WaitForAny({close, handover->ready.get()}, -1);
    if (first == kWaitFailed) {
        Record(texts::kWriteFailed, CurrentOsError());
    } else if (first == 0) {
        Record(write ? texts::kWriteAborted : texts::kReadRequestAborted, ECANCELED);
    } else if (first == 1) {
        if (write) handover->write_byte = byte;
        // A request that cannot be handed over is not waited for: nothing would answer it.
        if (!Unsignal(handover->ready.get())) {
            Record(texts::kEventNotReset, CurrentOsError());
            return 0;
        }
        if (!Signal((write ? handover->write_request : handover->read_request).get())) {
            Record(texts::kEventNotSignalled, CurrentOsError());
            handover->ready->Set();  // the token back, for the next call
            return 0;
        }
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

std::int32_t WriteByte(std::uint8_t value)
{
    return TransferOneByte(Direction::Write, value);
}

std::int32_t ReadByte(std::uint8_t& value)
{
    std::uint8_t byte = 0;
    const std::int32_t result = TransferOneByte(Direction::Read, byte);
    if (result == 1) value = byte;
    return result;
}

bool TimeOut()
{
    return Library().timeout;
}

}  // namespace zudedize::threaded
