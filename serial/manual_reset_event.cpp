#include "serial/manual_reset_event.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <linux/futex.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace zudedize {

// Threads in WaitForAny sleep on their own waiter, which Set wakes directly: handing a
// request to a thread costs one wake-up and no poll set-up on either side, and a thread
// that looks at an event takes no lock. Set wakes its waiters after it has let go of the
// event's lock, so that the thread it wakes does not find the lock still held when it
// leaves the event (that cost a second sleep and wake-up per hand-over); and it makes the
// wake-up call only for a thread that sleeps. The eventfd serves devices that poll for the
// event: once its descriptor has been asked for, Set and Reset change the state and the
// eventfd together under the mutex, so the descriptor is readable exactly while the event
// is set. Events nobody polls (those of the single-byte hand-over) cost no system call
// beyond the wake-up.

namespace {

void WakeWaiter(EventWaiter& waiter)
{
    if (waiter.state.exchange(EventWaiter::kWoken, std::memory_order_acq_rel) == EventWaiter::kSleeping)
        syscall(SYS_futex, &waiter.state, FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
}

// Sleeps until the waiter is woken or `deadline` (CLOCK_MONOTONIC, null: none) passes;
// false once it has passed with no wake. A wake that came before the call counts.
bool SleepUntilWoken(EventWaiter& waiter, const timespec* deadline)
{
    for (;;) {
        if (waiter.state.exchange(EventWaiter::kIdle, std::memory_order_acq_rel) == EventWaiter::kWoken) return true;
        std::uint32_t idle = EventWaiter::kIdle;
        // A wake between the two steps leaves kWoken, which the next round takes.
        if (!waiter.state.compare_exchange_strong(idle, EventWaiter::kSleeping, std::memory_order_acq_rel)) continue;
        const long slept = syscall(SYS_futex, &waiter.state, FUTEX_WAIT_BITSET_PRIVATE, EventWaiter::kSleeping,
                                   deadline, nullptr, FUTEX_BITSET_MATCH_ANY);
        if (slept != 0 && errno == ETIMEDOUT) {
            std::uint32_t sleeping = EventWaiter::kSleeping;
            if (waiter.state.compare_exchange_strong(sleeping, EventWaiter::kIdle, std::memory_order_acq_rel))
                return false;
            // Woken just as the time ran out: the next round takes the wake.
        }
    }
}

bool RaiseDescriptor(int fd)
{
    const std::uint64_t one = 1;
    ssize_t written = 0;
    do {
        written = write(fd, &one, sizeof one);
    } while (written < 0 && errno == EINTR);
    return written >= 0;
}

bool LowerDescriptor(int fd)
{
    std::uint64_t count = 0;
    ssize_t got = 0;
    do {
        got = read(fd, &count, sizeof count);
    } while (got < 0 && errno == EINTR);
    return got >= 0;
}

}  // namespace

std::unique_ptr<ManualResetEvent> ManualResetEvent::Create(bool initially_set)
{
    const int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd < 0) return nullptr;
    return std::make_unique<ManualResetEvent>(fd, initially_set);
}

ManualResetEvent::ManualResetEvent(int wake_fd, bool initially_set) : wake_fd_(wake_fd)
{
    if (initially_set) Set();
}

ManualResetEvent::~ManualResetEvent()
{
    close(wake_fd_);
}

int ManualResetEvent::WakeFd() const
{
    std::lock_guard lock(mutex_);
    if (!polled_) {
        // From now on the descriptor follows the event, starting with its present state.
        if (set_.load(std::memory_order_relaxed)) RaiseDescriptor(wake_fd_);
        polled_ = true;
    }
    return wake_fd_;
}

bool ManualResetEvent::Set()
{
    // Most events have one waiter at a time, or none; more go on the heap.
    constexpr std::size_t kInPlace = 4;
    std::array<std::shared_ptr<EventWaiter>, kInPlace> in_place;
    std::vector<std::shared_ptr<EventWaiter>> more;
    {
        std::lock_guard lock(mutex_);
        if (set_.load(std::memory_order_relaxed)) return true;
        if (polled_ && !RaiseDescriptor(wake_fd_)) return false;
        set_.store(true, std::memory_order_release);
        if (waiters_.size() <= kInPlace)
            std::copy(waiters_.begin(), waiters_.end(), in_place.begin());
        else
            more = waiters_;
    }
    for (const auto& waiter : in_place) {
        if (waiter) WakeWaiter(*waiter);
    }
    for (const auto& waiter : more) WakeWaiter(*waiter);
    return true;
}

bool ManualResetEvent::Reset()
{
    std::lock_guard lock(mutex_);
    if (!set_.load(std::memory_order_relaxed)) return true;
    if (polled_ && !LowerDescriptor(wake_fd_)) return false;
    set_.store(false, std::memory_order_release);
    return true;
}

bool ManualResetEvent::IsSet() const
{
    return set_.load(std::memory_order_acquire);
}

void ManualResetEvent::Watch(const std::shared_ptr<EventWaiter>& waiter) const
{
    std::lock_guard lock(mutex_);
    waiters_.push_back(waiter);
}

void ManualResetEvent::Unwatch(const std::shared_ptr<EventWaiter>& waiter) const
{
    std::lock_guard lock(mutex_);
    waiters_.erase(std::remove(waiters_.begin(), waiters_.end(), waiter), waiters_.end());
}

namespace {

int FirstSet(std::initializer_list<const ManualResetEvent*> events)
{
    int index = 0;
    for (const ManualResetEvent* event : events) {
        if (event->IsSet()) return index;
        ++index;
    }
    return kWaitTimedOut;
}

}  // namespace

int WaitForAny(std::initializer_list<const ManualResetEvent*> events, int timeout_ms)
{
    if (std::find(events.begin(), events.end(), nullptr) != events.end()) return kWaitFailed;
    // Most waits of a transfer find their event set already.
    const int at_once = FirstSet(events);
    if (at_once >= 0 || timeout_ms == 0) return at_once;

    timespec deadline{};
    if (timeout_ms > 0) {
        clock_gettime(CLOCK_MONOTONIC, &deadline);
        deadline.tv_sec += timeout_ms / 1000;
        deadline.tv_nsec += static_cast<long>(timeout_ms % 1000) * 1000000L;
        if (deadline.tv_nsec >= 1000000000L) {
            deadline.tv_nsec -= 1000000000L;
            ++deadline.tv_sec;
        }
    }
    thread_local const std::shared_ptr<EventWaiter> waiter = std::make_shared<EventWaiter>();
    // A wake left over from an earlier wait of this thread would only cost one more look.
    waiter->state.store(EventWaiter::kIdle, std::memory_order_relaxed);
    for (const ManualResetEvent* event : events) event->Watch(waiter);
    int result = kWaitTimedOut;
    for (;;) {
        // Registered before looking, so a Set after this look wakes the waiter.
        result = FirstSet(events);
        if (result >= 0 || !SleepUntilWoken(*waiter, timeout_ms > 0 ? &deadline : nullptr)) break;
    }
    for (const ManualResetEvent* event : events) event->Unwatch(waiter);
    return result;
}

}  // namespace zudedize
