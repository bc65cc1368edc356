// A manual-reset event: once set it stays set, and releases every waiter, until it is
// reset. Several events can be waited on at once, together with a descriptor (a device
// waiting for a transfer polls the event's descriptor beside its own).
#pragma once

#include <initializer_list>
#include <memory>
#include <mutex>

namespace zudedize {

class ManualResetEvent {
public:
    // A new event, or null when the system has no descriptor left for it.
    static std::unique_ptr<ManualResetEvent> Create(bool initially_set);

    explicit ManualResetEvent(int wake_fd, bool initially_set);
    ~ManualResetEvent();
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    // False when the descriptor refused the change; the event then stays as it was.
    bool Set();
    bool Reset();
    bool IsSet() const;

    // Readable while the event is set; for poll only, never to be read or written.
    int WakeFd() const { return wake_fd_; }

private:
    mutable std::mutex mutex_;
    bool set_ = false;
    int wake_fd_;
};

// Results of WaitForAny besides the index of the event that ended the wait.
constexpr int kWaitTimedOut = -1;
constexpr int kWaitFailed = -2;

// Waits until one of `events` is set and returns the lowest index among those that are set,
// or kWaitTimedOut after timeout_ms (negative: no limit), or kWaitFailed when an event is
// missing (null) or the wait itself fails.
int WaitForAny(std::initializer_list<const ManualResetEvent*> events, int timeout_ms);

}  // namespace zudedize
