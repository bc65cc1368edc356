// The loader side over the pseudo-terminal: breaks and speeds as the program on the line sets
// them.
#include <chrono>

#include <gtest/gtest.h>

#include "sim/loader_constants.h"
#include "sim/simulator.h"
#include "tests/support/editor_port.h"
#include "tests/support/wait_until.h"

namespace kpxsim {
namespace {

using orvel::testing::WaitUntil;
using testing::Bytes;
using testing::EditorPort;
using namespace std::chrono_literals;

const Bytes kLineTypeQuery{0x1B, 0x4D, 0x03, 0x6A, 0x0A};
constexpr auto kLineQuiet = 150ms;

// Waits until the simulator has read `count` bytes, so that a new speed cannot overtake them.
void WaitForReceived(const Simulator& sim, std::size_t count)
{
    WaitUntil([&] { return sim.BytesReceived() >= count; });
    ASSERT_EQ(sim.BytesReceived(), count);
}

TEST(LoaderLine, BreakAndFrameATakeTheControllerToItsMaximumSpeed)
{
    Simulator sim;
    EditorPort port(sim.SlavePath(), B300);  // a zero byte at 300 bit/s: 37 ms of space
    ASSERT_TRUE(port.Write({0x00}));
    WaitForReceived(sim, 1);

    // Bytes at 38400 are noise while the controller listens at 9600.
    port.SetSpeed(B38400);
    ASSERT_TRUE(port.Write(kLineTypeQuery));
    EXPECT_TRUE(port.Read(1, kLineQuiet).bytes.empty());

    port.SetSpeed(B9600);
    ASSERT_TRUE(port.Write(Bytes(loader::kFrameA.begin(), loader::kFrameA.end())));
    WaitForReceived(sim, 1 + 5 + 22);
    EXPECT_TRUE(WaitUntil([&] { return sim.ControllerSpeed() == 38400; })) << sim.ControllerSpeed();

    port.SetSpeed(B38400);
    ASSERT_TRUE(port.Write(kLineTypeQuery));
    EXPECT_EQ(port.Read(4).bytes, (Bytes{0x1F, 2, 2, 4}));

    // The controller's own stray bytes reach the line; a restart brings back the application.
    sim.SendToEditor({0x07, 0x08});
    EXPECT_EQ(port.Read(2).bytes, (Bytes{0x07, 0x08}));
    sim.Restart();
    EXPECT_EQ(sim.ControllerSpeed(), 9600u);
    port.SetSpeed(B9600);
    ASSERT_TRUE(port.Write({0x1B, 0x00}));
    EXPECT_EQ(port.Read(6).bytes, (Bytes{'K', 'P', 'X', '2', '-', '3'}));
}

TEST(LoaderLine, PacesTheErase)
{
    Options options;
    options.loader.runs_loader = true;
    options.loader.erase_time = 200ms;
    Simulator sim(options);
    EditorPort port(sim.SlavePath());
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(port.Write({0x1B, 0x02, 0x55}));
    EXPECT_EQ(port.Read(1).bytes, Bytes{0x00});
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);

    sim.SetEraseTime(0ms);
    ASSERT_TRUE(port.Write({0x1B, 0x02, 0x55}));
    EXPECT_EQ(port.Read(1, 100ms).bytes, Bytes{0x00});
    EXPECT_TRUE(sim.RunsLoader());
}

}  // namespace
}  // namespace kpxsim
