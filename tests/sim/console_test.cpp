#include "sim/console.h"

#include <chrono>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/support/editor_port.h"

namespace kpxsim {
namespace {

using testing::Bytes;
using testing::EditorPort;

TEST(Console, CommandsReachTheSimulator)
{
    Simulator sim;
    EditorPort port(sim.SlavePath());
    std::ostringstream out;
    Console console(sim, out);

    EXPECT_TRUE(console.Execute("preset 37"));
    ASSERT_TRUE(port.Write({0x1B, 0x01}));
    EXPECT_EQ(port.Read(2).bytes, (Bytes{3, 7}));
    EXPECT_TRUE(console.Execute("preset-reply 0 12"));
    ASSERT_TRUE(port.Write({0x1B, 0x01}));
    EXPECT_EQ(port.Read(2).bytes, (Bytes{0, 12}));
    EXPECT_TRUE(console.Execute("preset-reply off"));
    ASSERT_TRUE(port.Write({0x1B, 0x01}));
    EXPECT_EQ(port.Read(2).bytes, (Bytes{3, 7}));

    EXPECT_TRUE(console.Execute("read-reply 0x65"));
    EXPECT_TRUE(console.Execute("  lock on "));
    ASSERT_TRUE(port.Write({0x1B, 0x02, 0, 0x1B, 0x03, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x55}));
    EXPECT_EQ(port.Read(2).bytes, (Bytes{0x65, 0x67}));

    out.str("");
    EXPECT_TRUE(console.Execute("dump 253"));
    EXPECT_EQ(out.str(), "block 253: 00 00 00 01 02 00 00 00\n");
    EXPECT_FALSE(console.Execute("quit"));
}

TEST(Console, LoaderCommandsReachTheSimulator)
{
    Options options;
    options.loader.runs_loader = true;
    Simulator sim(options);
    EditorPort port(sim.SlavePath());
    std::ostringstream out;
    Console console(sim, out);

    EXPECT_TRUE(console.Execute("erase-time 150"));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(port.Write({0x1B, 0x02, 0x55}));
    EXPECT_EQ(port.Read(1).bytes, Bytes{0x00});
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));

    EXPECT_TRUE(console.Execute("block-status 0 2"));
    Bytes write{0x1B, 0x01, 0x00, 0x00};
    write.insert(write.end(), 130, 0x00);  // check bytes wrong, but the injected status wins
    ASSERT_TRUE(port.Write(write));
    EXPECT_EQ(port.Read(1).bytes, Bytes{0x02});

    out.str("");
    EXPECT_TRUE(console.Execute("flash 127"));
    EXPECT_EQ(out.str().substr(0, 25), "flash 127 +0: FF FF FF FF");
    out.str("");
    EXPECT_TRUE(console.Execute("restart"));
    EXPECT_EQ(out.str(), "kpx-sim: restarted; the loader runs at 9600 bit/s\n");
}

TEST(Console, RefusesMalformedCommands)
{
    Simulator sim;
    std::ostringstream out;
    Console console(sim, out);
    for (const char* line :
         {"preset 100", "preset -1", "preset", "lock maybe", "dump 254", "dump 0x1FF", "stop-after x", "read-reply 256",
          "frobnicate", "flash 128", "block-status 3", "block-status 128 1", "block-status 1 256", "erase-time x",
          "preset-reply 1", "preset-reply 1 256"}) {
        out.str("");
        EXPECT_TRUE(console.Execute(line));
        const bool refused = out.str().find("kpx-sim: usage: ") == 0 || out.str().find("kpx-sim: unknown command") == 0;
        EXPECT_TRUE(refused) << line << ": " << out.str();
    }
    out.str("");
    EXPECT_TRUE(console.Execute(""));
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace kpxsim
