// The controller's loader side as a state machine, and what counts as a break on the line.
#include "sim/loader_engine.h"

#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "sim/block_check_bytes.h"
#include "sim/controller_constants.h"
#include "sim/line_timing.h"
#include "sim/loader_constants.h"

namespace kpxsim {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

// Everything the engine answers to `bytes`, in order.
LoaderReply FeedAll(LoaderEngine& engine, const Bytes& bytes)
{
    LoaderReply all;
    for (std::uint8_t byte : bytes) {
        LoaderReply reply = engine.Feed(byte);
        all.bytes.insert(all.bytes.end(), reply.bytes.begin(), reply.bytes.end());
        if (!reply.bytes.empty()) {
            all.speed = reply.speed;
            all.delay = reply.delay;
        }
    }
    return all;
}

const Bytes kFrameA(loader::kFrameA.begin(), loader::kFrameA.end());
const Bytes kFrameB(loader::kFrameB.begin(), loader::kFrameB.end());
const Bytes kTypeQuery{0x1B, 0x4D, 0x03, 0x6A, 0x0A};
const Bytes kSpeedQuery{0x1B, 0x4D, 0x80, 0x00, 0x0A};
const Bytes kErase{0x1B, 0x02, 0x55};
const Bytes kCrc{0x1B, 0x03, 0x55};

// The block write request for `block` filled with `fill`, with its check bytes.
Bytes BlockWrite(std::uint32_t block, std::uint8_t fill, std::size_t address_length = 2)
{
    Bytes payload;
    const std::uint32_t address = block * 128;
    for (std::size_t k = 0; k < address_length; ++k) payload.push_back(static_cast<std::uint8_t>(address >> (8 * k)));
    payload.insert(payload.end(), 128, fill);
    const auto check = BlockCheckBytes(payload);
    payload.insert(payload.end(), check.begin(), check.end());
    payload.insert(payload.begin(), {0x1B, 0x01});
    return payload;
}

TEST(LineTiming, ABreakIsTenMillisecondsOfSpace)
{
    EXPECT_TRUE(IsBreak(0x00, 500));    // 20 ms
    EXPECT_TRUE(IsBreak(0x80, 500));    // start bit and seven zeros: 16 ms
    EXPECT_FALSE(IsBreak(0x01, 500));   // the start bit alone: 2 ms
    EXPECT_TRUE(IsBreak(0x00, 1000));   // 10 ms
    EXPECT_FALSE(IsBreak(0x00, 1200));  // 8.3 ms
    EXPECT_FALSE(IsBreak(0x00, 4800));
    EXPECT_FALSE(IsBreak(0x00, 0));  // speed unknown
    EXPECT_EQ(CharacterTimeAt(9600), wire::kCharacterTime);
    EXPECT_EQ(CharacterTimeAt(500), 22ms);
}

TEST(LineTiming, PacerSpacesBytesByTheirOwnSpeed)
{
    SpeedPacer pacer(true);
    const Clock::time_point t0{};
    EXPECT_EQ(pacer.Arrival(t0, 500), t0 + 22ms);
    EXPECT_EQ(pacer.Arrival(t0, 500), t0 + 44ms);  // queued behind the first
    EXPECT_EQ(pacer.Arrival(t0 + 100ms, 9600), t0 + 100ms + CharacterTimeAt(9600));
    SpeedPacer unpaced(false);
    EXPECT_EQ(unpaced.Arrival(t0 + 5ms, 500), t0 + 5ms);
    EXPECT_EQ(unpaced.Arrival(t0, 500), t0 + 5ms);  // never before an earlier byte
}

TEST(LoaderEngine, BreakFramesAndQueriesSwitchItsSpeedAndMode)
{
    LoaderOptions options;
    options.maximum_speed = 19200;
    options.version = {2, 3, 1};
    LoaderEngine engine(options);
    EXPECT_FALSE(engine.Listening());  // the application runs
    EXPECT_EQ(engine.LineSpeed(), 9600u);

    engine.Break();
    EXPECT_TRUE(engine.Listening());
    const LoaderReply speed = FeedAll(engine, kSpeedQuery);
    EXPECT_EQ(speed.bytes, (Bytes{0x00, 0x4B, 0x00}));
    EXPECT_EQ(speed.speed, 9600u);

    EXPECT_TRUE(FeedAll(engine, kFrameA).bytes.empty());
    EXPECT_EQ(engine.LineSpeed(), 19200u);
    EXPECT_EQ(FeedAll(engine, kTypeQuery).bytes, (Bytes{0x1F, 2, 3, 1}));
    EXPECT_EQ(FeedAll(engine, kFrameB).bytes, Bytes{0x00});
    EXPECT_TRUE(engine.RunsLoader());
    EXPECT_EQ(FeedAll(engine, kTypeQuery).bytes, (Bytes{0x9F, 2, 3, 1}));

    // A frame broken off in the middle is dropped; what follows is read afresh.
    engine.Break();
    const Bytes broken(kFrameA.begin(), kFrameA.begin() + 7);
    EXPECT_TRUE(FeedAll(engine, broken).bytes.empty());
    EXPECT_EQ(FeedAll(engine, kTypeQuery).bytes.size(), 4u);
    EXPECT_EQ(engine.LineSpeed(), 9600u);
}

TEST(LoaderEngine, FlashWorkNeedsTheLoader)
{
    LoaderOptions options;
    options.erase_time = 250ms;
    options.version = {2, 2, 4};
    options.image_version = {2, 3, 0};
    LoaderEngine engine(options);
    engine.Break();
    EXPECT_TRUE(FeedAll(engine, kErase).bytes.empty());
    EXPECT_TRUE(FeedAll(engine, BlockWrite(0, 0x11)).bytes.empty());
    EXPECT_EQ(engine.Flash(0)[0], 0xFF);

    FeedAll(engine, kFrameB);
    const LoaderReply erased = FeedAll(engine, kErase);
    EXPECT_EQ(erased.bytes, Bytes{0x00});
    EXPECT_EQ(erased.delay, 250ms);
    EXPECT_TRUE(FeedAll(engine, {0x1B, 0x02, 0x54}).bytes.empty());  // not confirmed

    EXPECT_EQ(FeedAll(engine, BlockWrite(0, 0x11)).bytes, Bytes{0x00});
    EXPECT_EQ(FeedAll(engine, BlockWrite(127, 0x22)).bytes, Bytes{0x00});
    EXPECT_EQ(engine.Flash(0)[127], 0x11);
    EXPECT_EQ(engine.Flash(127)[0], 0x22);
    EXPECT_EQ(FeedAll(engine, BlockWrite(128, 0x33)).bytes, Bytes{loader::kStatusVerification});  // past the flash

    Bytes damaged = BlockWrite(5, 0x44);
    damaged[50] ^= 0x01;
    EXPECT_EQ(FeedAll(engine, damaged).bytes, Bytes{loader::kStatusCheckBytes});
    EXPECT_EQ(engine.Flash(5)[0], 0xFF);

    // Until the CRC the controller still reports the version it started with.
    EXPECT_EQ(FeedAll(engine, kTypeQuery).bytes, (Bytes{0x9F, 2, 2, 4}));
    // The CRC finishes the application: the controller restarts into it, and the new
    // application reports the version of the image it was flashed with.
    EXPECT_EQ(FeedAll(engine, kCrc).bytes, Bytes{0x00});
    EXPECT_FALSE(engine.RunsLoader());
    EXPECT_FALSE(engine.Listening());
    engine.Break();
    EXPECT_EQ(FeedAll(engine, kTypeQuery).bytes, (Bytes{0x1F, 2, 3, 0}));
    EXPECT_EQ(engine.Flash(0)[0], 0x11);
    EXPECT_THROW(engine.Flash(128), std::out_of_range);
}

TEST(LoaderEngine, InjectedStatusAndOtherOptions)
{
    LoaderOptions options;
    options.runs_loader = true;  // no application: listening from the start
    options.device_type = 0x1D;
    options.four_byte_addresses = true;
    options.answers_speed_query = false;
    LoaderEngine engine(options);
    EXPECT_TRUE(engine.Listening());
    EXPECT_EQ(FeedAll(engine, kTypeQuery).bytes.front(), 0x9D);
    EXPECT_TRUE(FeedAll(engine, kSpeedQuery).bytes.empty());

    Faults faults;
    faults.block_status = BlockStatus{40, 6};
    engine.SetFaults(faults);
    EXPECT_EQ(FeedAll(engine, BlockWrite(40, 0x55, 4)).bytes, Bytes{6});
    EXPECT_EQ(engine.Flash(40)[0], 0xFF);
    EXPECT_EQ(FeedAll(engine, BlockWrite(41, 0x55, 4)).bytes, Bytes{0});
    EXPECT_EQ(engine.Flash(41)[0], 0x55);

    engine.Restart();  // still no finished application
    EXPECT_TRUE(engine.RunsLoader());

    options.device_type = 0x80;
    EXPECT_THROW(LoaderEngine{options}, std::invalid_argument);
}

}  // namespace
}  // namespace kpxsim
