// The write/read thread of an open port (threaded variant) and the hand-over it shares
// with the calling thread: the ready event is the token of one transfer (reset by the
// caller when it hands a byte over, reset again by this thread when it starts, set by
// this thread at the end and by the caller after reading the result); the request events
// ask for a write or a read; the shared bytes carry the data. The thread writes the shared
// read byte and the timeout flag before it sets the ready event; the caller reads them
// after it has seen it.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "serial/manual_reset_event.h"
#include "serial/serial_device.h"

namespace zudedize::threaded {

struct Handover {
    std::unique_ptr<ManualResetEvent> ready;  // created set
    std::unique_ptr<ManualResetEvent> write_request;
    std::unique_ptr<ManualResetEvent> read_request;
    std::uint8_t write_byte = 0;
    std::uint8_t read_byte = 0;
};

class TZapisOdczytThread {
public:
    // Creates the hand-over events in `handover` and starts the thread; when an event cannot
    // be created it records the failure and no thread runs. `close_event` (may be null)
    // ends a transfer in progress.
    TZapisOdczytThread(SerialDevice& device, Handover& handover, const ManualResetEvent* close_event);
    virtual ~TZapisOdczytThread();
    TZapisOdczytThread(const TZapisOdczytThread&) = delete;
    TZapisOdczytThread& operator=(const TZapisOdczytThread&) = delete;

    // Ends the thread after the transfer in progress and waits for it.
    void Stop();

    // 0 when the thread runs; otherwise the code of why it could not start (its text recorded).
    std::int32_t StartError() const { return start_error_; }

protected:
    // One transfer of the shared byte; the number of bytes moved.
    virtual std::size_t DoWrite();
    virtual std::size_t DoRead();

private:
    void Run();
    // Sets the timeout flag and records the text of a transfer that did not move its byte.
    std::size_t Finish(const Transfer& transfer, const char* timeout_text, const char* aborted_text,
                       const char* failed_text);
    // Sets the timeout flag from the bytes moved and gives the token back; the bytes moved.
    std::size_t HandBack(std::size_t moved);

    SerialDevice& device_;
    Handover& handover_;
    const ManualResetEvent* close_event_;
    std::unique_ptr<ManualResetEvent> stop_;
    std::atomic<bool> terminated_{false};
    std::int32_t start_error_ = 0;
    std::thread thread_;
};

}  // namespace zudedize::threaded
