#include "manual_reset_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <vector>

namespace zudedize {

// The state lives under the mutex; the eventfd only wakes poll. Set and Reset change both
// under the mutex, so the descriptor is readable exactly while the event is set.

std::unique_ptr<ManualResetEvent> ManualResetEvent::Create(bool initially_set) {
    const int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd < 0) return nullptr;
    return std::make_unique<ManualResetEvent>(fd, initially_set);
}

ManualResetEvent::ManualResetEvent(int wake_fd, bool initially_set) : wake_fd_(wake_fd) {
    if (initially_set) Set();
}

ManualResetEvent::~ManualResetEvent() { close(wake_fd_); }

bool ManualResetEvent::Set() {
    std::lock_guard lock(mutex_);
    if (set_) return true;
    const std::uint64_t one = 1;
    ssize_t written = 0;
    do {
        written = write(wake_fd_, &one, sizeof one);
    } while (written < 0 && errno == EINTR);
    if (written < 0) return false;
    set_ = true;
    return true;
}

bool ManualResetEvent::Reset() {
    std::lock_guard lock(mutex_);
    if (!set_) return true;
    std::uint64_t count = 0;
    ssize_t got = 0;
    do {
        got = read(wake_fd_, &count, sizeof count);
    } while (got < 0 && errno == EINTR);
    if (got < 0) return false;
    set_ = false;
    return true;
}

bool ManualResetEvent::IsSet() const {
    std::lock_guard lock(mutex_);
    return set_;
}

int WaitForAny(std::initializer_list<const ManualResetEvent*> events, int timeout_ms) {
    using Clock = std::chrono::steady_clock;
    std::vector<pollfd> fds;
    for (const ManualResetEvent* event : events) {
        if (event == nullptr) return kWaitFailed;
        fds.push_back({event->WakeFd(), POLLIN, 0});
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms < 0 ? 0 : timeout_ms);
    for (;;) {
        int index = 0;
        for (const ManualResetEvent* event : events) {
            if (event->IsSet()) return index;
            ++index;
        }
        int wait_ms = -1;
        if (timeout_ms >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) return kWaitTimedOut;
            wait_ms = static_cast<int>(left);
        }
        if (poll(fds.data(), fds.size(), wait_ms) < 0 && errno != EINTR) return kWaitFailed;
    }
}

}  // namespace zudedize
