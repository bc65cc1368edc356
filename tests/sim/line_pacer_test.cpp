#include "line_pacer.h"

#include <gtest/gtest.h>

namespace kpxsim {
namespace {

using std::chrono::microseconds;

TEST(LinePacer, BytesQueueBehindEachOtherAndIdleLinesStartAfresh) {
    LinePacer line(microseconds(1000));
    const Clock::time_point start{std::chrono::seconds(100)};

    // Three bytes put on the line at once arrive one character time apart.
    EXPECT_EQ(line.Arrival(start), start + microseconds(1000));
    EXPECT_EQ(line.Arrival(start), start + microseconds(2000));
    EXPECT_EQ(line.Arrival(start + microseconds(500)), start + microseconds(3000));

    // After a pause the next byte takes one character time from when it was sent.
    EXPECT_EQ(line.Arrival(start + microseconds(10000)), start + microseconds(11000));
}

TEST(LinePacer, ZeroCharacterTimeIsInstant) {
    LinePacer line(microseconds(0));
    const Clock::time_point at{std::chrono::seconds(5)};
    EXPECT_EQ(line.Arrival(at), at);
    EXPECT_EQ(line.Arrival(at), at);
}

}  // namespace
}  // namespace kpxsim
