// A manual-reset event: once set it stays set, and releases every waiter, until it is
// reset. Threads wait on several events at once (WaitForAny); a device waiting for a
// transfer polls the event's descriptor beside its own.
#pragma once

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <vector>

namespace zudedize {

// A thread waiting in WaitForAny: each event it waits on wakes it when set, through the word
// the thread sleeps on (a futex). One per thread, reused by each of its waits; shared, so that
// a Set that has let go of the event's lock may still wake it after the wait has ended (the
// late wake only makes the thread's next wait look at its events once more).
struct EventWaiter {
    static constexpr std::uint32_t kIdle = 0;
    static constexpr std::uint32_t kWoken = 1;     // an event was set since the thread last looked
    static constexpr std::uint32_t kSleeping = 2;  // the thread sleeps, or is about to
    std::atomic<std::uint32_t> state{kIdle};
};

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

    // Readable while the event is set; for poll only, never to be read or written. The
    // descriptor follows the event from the first time it is asked for.
    int WakeFd() const;

private:
    friend int WaitForAny(std::initializer_list<const ManualResetEvent*> events, int timeout_ms);
    // From Watch to Unwatch, every Set wakes `waiter`.
    void Watch(const std::shared_ptr<EventWaiter>& waiter) const;
    void Unwatch(const std::shared_ptr<EventWaiter>& waiter) const;

    mutable std::mutex mutex_;  // held to change the state, the descriptor and the waiters
    std::atomic<bool> set_{false};
    int wake_fd_;
    mutable bool polled_ = false;  // WakeFd was asked for: Set and Reset keep it in step
    mutable std::vector<std::shared_ptr<EventWaiter>> waiters_;
};

// Results of WaitForAny besides the index of the event that ended the wait.
constexpr int kWaitTimedOut = -1;
constexpr int kWaitFailed = -2;

// Waits until one of `events` is set and returns the lowest index among those that are set,
// or kWaitTimedOut after timeout_ms (negative: no limit), or kWaitFailed when an event is
// missing (null). The waiting thread sleeps until an event is set or the time is up.
int WaitForAny(std::initializer_list<const ManualResetEvent*> events, int timeout_ms);

}  // namespace zudedize
