// Manual-reset events and waiting on several.
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "manual_reset_event.h"
#include "serial_test_support.h"

namespace zudedize::test {
namespace {

TEST(ManualResetEventTest, StaysSetForEveryWaiterUntilReset) {
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

TEST(ManualResetEventTest, SetFromAnotherThreadEndsAWaitWithoutLimit) {
    auto stop = ManualResetEvent::Create(false);
    auto request = ManualResetEvent::Create(false);
    int woken = -5;
    std::atomic<pid_t> waiter_tid{0};
    std::thread waiter([&] {
        waiter_tid = gettid();
        woken = WaitForAny({stop.get(), request.get()}, -1);
    });
    ASSERT_TRUE(WaitUntil([&] { return waiter_tid != 0 && ThreadWaitsInPoll(waiter_tid); })) << "the waiter is waiting";
    request->Set();
    waiter.join();
    EXPECT_EQ(woken, 1);
}

}  // namespace
}  // namespace zudedize::test
