// Manual-reset events and waiting on several.
#include "serial/manual_reset_event.h"

#include <atomic>
#include <poll.h>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/serial_test_support.h"

namespace zudedize::test {
namespace {

TEST(ManualResetEventTest, StaysSetForEveryWaiterUntilReset)
{
    auto a = ManualResetEvent::Create(false);
    auto b = ManualResetEvent::Create(true);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(WaitForAny({a.get(), b.get()}, 0), 1);
    EXPECT_EQ(WaitForAny({a.get(), b.get()}, 0), 1) << "waiting does not reset it";
    a->Set();
    EXPECT_EQ(WaitForAny({a.get(), b.get()}, 0), 0) << "the lowest index that is set";
    a->Reset();
    b->Reset();
    EXPECT_EQ(WaitForAny({a.get(), b.get()}, 30), kWaitTimedOut);
    EXPECT_EQ(WaitForAny({a.get(), nullptr}, 0), kWaitFailed);
}

TEST(ManualResetEventTest, SetFromAnotherThreadEndsAWaitWithoutLimit)
{
    auto stop = ManualResetEvent::Create(false);
    auto request = ManualResetEvent::Create(false);
    int woken = -5;
    std::atomic<pid_t> waiter_tid{0};
    std::thread waiter([&] {
        waiter_tid = gettid();
        woken = WaitForAny({stop.get(), request.get()}, -1);
    });
    ASSERT_TRUE(WaitUntil([&] { return waiter_tid != 0 && ThreadIsWaiting(waiter_tid); })) << "the waiter is waiting";
    request->Set();
    waiter.join();
    EXPECT_EQ(woken, 1);
}

bool Readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) == 1 && (p.revents & POLLIN) != 0;
}

TEST(ManualResetEventTest, DescriptorFollowsTheEventFromTheFirstTimeItIsAskedFor)
{
    auto close = ManualResetEvent::Create(false);
    ASSERT_TRUE(close);
    close->Set();  // set before any device polls it
    const int fd = close->WakeFd();
    EXPECT_TRUE(Readable(fd));
    close->Reset();
    EXPECT_FALSE(Readable(fd));
    close->Set();
    EXPECT_TRUE(Readable(close->WakeFd()));
}

TEST(ManualResetEventTest, OneSetReleasesEveryThreadWaitingOnIt)
{
    auto close = ManualResetEvent::Create(false);
    auto other = ManualResetEvent::Create(false);
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i) {
        waiters.emplace_back([&] {
            if (WaitForAny({other.get(), close.get()}, 10000) == 1) ++released;
        });
    }
    close->Set();
    for (std::thread& waiter : waiters) waiter.join();
    EXPECT_EQ(released, 3);
    EXPECT_TRUE(close->IsSet()) << "waiting does not reset it";
}

// The hand-over of the threaded variant in miniature: each side sets the other's event and
// sleeps until its own is set. A wake-up lost at any point ends a round at its deadline
// instead of at the other side's Set.
TEST(ManualResetEventTest, ThousandsOfHandOversLoseNoWakeUp)
{
    constexpr int kRounds = 5000;
    auto stop = ManualResetEvent::Create(false);
    auto request = ManualResetEvent::Create(false);
    auto ready = ManualResetEvent::Create(false);
    ASSERT_TRUE(stop && request && ready);
    int answered = 0;
    std::thread worker([&] {
        while (WaitForAny({stop.get(), request.get()}, 10000) == 1) {
            request->Reset();
            ++answered;
            ready->Set();
        }
    });
    int rounds = 0;
    for (; rounds < kRounds; ++rounds) {
        ready->Reset();
        request->Set();
        // A timed wait every other round, as the line-event thread makes them.
        if (WaitForAny({stop.get(), ready.get()}, rounds % 2 == 0 ? 10000 : -1) != 1) break;
    }
    stop->Set();
    worker.join();
    EXPECT_EQ(rounds, kRounds);
    EXPECT_EQ(answered, kRounds);
}

}  // namespace
}  // namespace zudedize::test
