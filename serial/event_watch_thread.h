// The event-watching thread of an open port (threaded variant): waits for the line events
// of its event set and hands each to the port's handler. The handler runs on this thread
// (a library has no message loop of its caller to run it on); it only collects the line
// errors and records their texts, which no transfer waits for.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "serial/manual_reset_event.h"
#include "serial/serial_device.h"

namespace zudedize::threaded {

// The device's event mask for an event set (bit i: position i of the event table).
std::uint32_t EventMaskOf(std::uint16_t event_set);

class TZdarzeniaCommThread {
public:
    using Callback = std::function<void(std::uint32_t events)>;

    // Keeps the process priority and raises it, sets the device's event mask and starts.
    TZdarzeniaCommThread(SerialDevice& device, std::uint16_t event_set, Callback callback);
    virtual ~TZdarzeniaCommThread();
    TZdarzeniaCommThread(const TZdarzeniaCommThread&) = delete;
    TZdarzeniaCommThread& operator=(const TZdarzeniaCommThread&) = delete;

    // Ends the thread and waits for it. On its way out the thread discards both queues.
    void Stop();

    // 0 when the thread runs; otherwise the code of why it could not start (its text recorded).
    std::int32_t StartError() const { return start_error_; }

protected:
    // Calls the callback with the events received.
    virtual void DoEvent();

private:
    void Run();

    SerialDevice& device_;
    std::uint32_t received_ = 0;
    Callback callback_;
    std::unique_ptr<ManualResetEvent> stop_;
    std::atomic<bool> terminated_{false};
    std::int32_t start_error_ = 0;
    std::thread thread_;
};

}  // namespace zudedize::threaded
