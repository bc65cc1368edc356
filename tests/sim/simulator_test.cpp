#include "sim/simulator.h"

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "sim/controller_constants.h"
#include "tests/support/editor_port.h"
#include "tests/support/wait_until.h"

namespace kpxsim {
namespace {

using orvel::testing::WaitUntil;
using testing::Bytes;
using testing::EditorPort;
using namespace std::chrono_literals;

const Bytes kIdentify{0x1B, 0x00};
const Bytes kIdentityReply{'K', 'P', 'X', '2', '-', '3'};
constexpr auto kQuiet = 150ms;  // long enough to be sure nothing more comes

Options Paced()
{
    Options options;
    options.paced = true;
    return options;
}

TEST(Simulator, AnswersIdentifyOnTheLine)
{
    Simulator sim;
    EditorPort port(sim.SlavePath());
    ASSERT_TRUE(port.Write(kIdentify));
    EXPECT_EQ(port.Read(6).bytes, kIdentityReply);
    EXPECT_EQ(sim.Received(), kIdentify);

    // The editor closes and opens its side again; the line stays up.
    port.Close();
    EditorPort again(sim.SlavePath());
    ASSERT_TRUE(again.Write(kIdentify));
    EXPECT_EQ(again.Read(6).bytes, kIdentityReply);
    EXPECT_EQ(sim.BytesReceived(), 4u);
    sim.ClearReceived();
    EXPECT_EQ(sim.BytesReceived(), 0u);
}

TEST(Simulator, BlocksWrittenOnTheLineLandInMemoryAndBack)
{
    Options options;
    options.current_preset = 37;
    Simulator sim(options);
    EditorPort port(sim.SlavePath());

    const Block data{0x7F, 0x1B, 0x00, 0x64, 9, 10, 0, 0xDE};
    const Bytes write{0x1B, 0x03, 17, 0x7F, 0x1B, 0x00,
                      0x64, 9,    10, 0,    0xDE, 0x55 ^ 0x7F ^ 0x1B ^ 0x64 ^ 9 ^ 10 ^ 0xDE};
    ASSERT_TRUE(port.Write(write));
    EXPECT_EQ(port.Read(1).bytes, Bytes{0x64});
    EXPECT_EQ(sim.ReadMemory(17), data);

    sim.WriteMemory(252, {0x01, 0x02, 0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(port.Write({0x1B, 0x02, 252, 0x1B, 0x01}));
    EXPECT_EQ(port.Read(12).bytes, (Bytes{0x64, 0x01, 0x02, 0, 0, 0, 0, 0, 0, 0x56, 3, 7}));

    sim.SetMemoryLocked(true);
    ASSERT_TRUE(port.Write(write));
    EXPECT_EQ(port.Read(1).bytes, Bytes{0x67});

    sim.ResetMemory();
    EXPECT_EQ(sim.ReadMemory(17), Block{});
    EXPECT_THROW(sim.ReadMemory(254), std::out_of_range);
}

TEST(Simulator, IgnoresBytesSentAtAnotherSpeed)
{
    Simulator sim;
    EditorPort port(sim.SlavePath(), B4800);
    ASSERT_TRUE(port.Write(kIdentify));
    EXPECT_TRUE(port.Read(1, kQuiet).bytes.empty());
    EXPECT_EQ(sim.BytesReceived(), 2u);  // they reached the line all the same

    port.SetSpeed(B9600);
    ASSERT_TRUE(port.Write(kIdentify));
    EXPECT_EQ(port.Read(6).bytes, kIdentityReply);

    Options options;
    options.check_speed = false;
    Simulator unchecked(options);
    EditorPort fast(unchecked.SlavePath(), B38400);
    ASSERT_TRUE(fast.Write(kIdentify));
    EXPECT_EQ(fast.Read(6).bytes, kIdentityReply);
}

// The editor sets its speed and sends its first command at once; the simulator's thread, held
// up after it noted the speed the line had before, still takes the command at the new speed.
TEST(Simulator, BytesSentAfterASpeedChangeCountAtTheNewSpeedThoughTheThreadWasHeldUp)
{
    Simulator sim;
    Faults faults;
    faults.held_up = 300ms;
    sim.SetFaults(faults);
    EditorPort port(sim.SlavePath(), B4800);
    ASSERT_TRUE(port.Write({0x00}));  // noise at 4800 bit/s; the thread is held up after it
    ASSERT_TRUE(WaitUntil([&] { return sim.BytesReceived() != 0; }));
    ASSERT_EQ(sim.BytesReceived(), 1u);

    port.SetSpeed(B9600);
    ASSERT_TRUE(port.Write(kIdentify));
    EXPECT_EQ(port.Read(6).bytes, kIdentityReply);
}

TEST(Simulator, SilentAndStopAfterSendNoMore)
{
    Simulator sim;
    EditorPort port(sim.SlavePath());

    Faults faults;
    faults.silent = true;
    sim.SetFaults(faults);
    ASSERT_TRUE(port.Write(kIdentify));
    EXPECT_TRUE(port.Read(1, kQuiet).bytes.empty());

    faults = {};
    faults.stop_after = 3;
    sim.SetFaults(faults);
    ASSERT_TRUE(port.Write(kIdentify));
    const auto partial = port.Read(6, kQuiet);
    EXPECT_EQ(partial.bytes, (Bytes{'K', 'P', 'X'}));
    EXPECT_FALSE(partial.hung_up);
    ASSERT_TRUE(port.Write(kIdentify));  // the line is still there, only mute
    EXPECT_TRUE(port.Read(1, kQuiet).bytes.empty());
    EXPECT_EQ(sim.BytesReceived(), 6u);

    sim.SetFaults({});
    ASSERT_TRUE(port.Write(kIdentify));
    EXPECT_EQ(port.Read(6).bytes, kIdentityReply);
}

TEST(Simulator, VanishAfterDeliversItsBytesThenHangsUp)
{
    Simulator sim(Paced());
    EditorPort port(sim.SlavePath());
    Faults faults;
    faults.vanish_after = 4;
    sim.SetFaults(faults);
    ASSERT_TRUE(port.Write(kIdentify));
    const auto result = port.Read(6);
    EXPECT_EQ(result.bytes, (Bytes{'K', 'P', 'X', '2'}));
    EXPECT_TRUE(result.hung_up);
    errno = 0;
    EXPECT_FALSE(port.Write(kIdentify));
    EXPECT_EQ(errno, EIO);

    const std::string path = sim.SlavePath();
    sim.Vanish();  // already gone: nothing more happens
    EXPECT_EQ(sim.SlavePath(), path);
}

TEST(Simulator, VanishUnplugsTheLineAtOnce)
{
    Simulator sim;
    EditorPort port(sim.SlavePath());
    const std::string path = sim.SlavePath();
    sim.Vanish();
    EXPECT_TRUE(port.Read(1).hung_up);
    EXPECT_FALSE(port.Write(kIdentify));
    EXPECT_LT(::open(path.c_str(), O_RDWR | O_NOCTTY), 0);
    EXPECT_EQ(sim.SlavePath(), path);
    EXPECT_EQ(sim.ReadMemory(252)[0], 0xFF);  // the object stays usable
}

TEST(Simulator, PacesBothDirectionsAtTheLineRate)
{
    Simulator sim(Paced());
    EditorPort port(sim.SlavePath());
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(port.Write({0x1B, 0x02, 100}));
    EXPECT_EQ(port.Read(10).bytes.size(), 10u);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 13 * wire::kCharacterTime);
}

TEST(Simulator, StopsPromptlyInTheMiddleOfAReply)
{
    auto sim = std::make_unique<Simulator>(Paced());
    EditorPort port(sim->SlavePath());
    ASSERT_TRUE(port.Write({0x1B, 0x02, 0x00, 0x1B, 0x02, 0x01, 0x1B, 0x02, 0x02}));
    ASSERT_EQ(port.Read(1).bytes.size(), 1u);
    sim.reset();
    EXPECT_TRUE(port.Read(100).hung_up);
}

TEST(Simulator, RefusesImpossibleSettings)
{
    Options options;
    options.current_preset = 100;
    EXPECT_THROW(Simulator{options}, std::invalid_argument);
    Simulator sim;
    EXPECT_THROW(sim.SetCurrentPreset(100), std::invalid_argument);
}

}  // namespace
}  // namespace kpxsim
