// The companion's command-line numbers, the COM port numbers of device paths, and a port that
// does not open told in the serial library's words.
#include <cerrno>
#include <cstdlib>

#include <gtest/gtest.h>

#include "cli/companion.h"
#include "cli/decimal_number.h"
#include "cli/device_port.h"
#include "sim/simulator.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/thread_refusing_serial_system.h"
#include "zudedize/port_names.h"

namespace orvel {
namespace {

using testing::PortVariable;
using testing::ScopedEnvironment;

TEST(DecimalNumbers, OnlyPlainDecimalDigitsNameANumber)
{
    EXPECT_EQ(ParseDecimal("37"), 37);
    EXPECT_EQ(ParseDecimal("0"), 0);
    EXPECT_EQ(ParseDecimal("010"), 10);  // never octal
    for (const char* text : {"", "0x10", "5a", "abc", "-1", "+5", " 5", "5 ", "1e2", "99999999999999999999"})
        EXPECT_FALSE(ParseDecimal(text)) << text;
}

TEST(DecimalNumbers, TheArgumentCheckRefusesByTextAndPassesThePlainNumber)
{
    CLI::App app;
    int preset = -1;
    app.add_option("preset", preset)->transform(DecimalIn(0, 99));
    app.parse(std::vector<std::string>{"010"});  // CLI11 wants its arguments in reverse order
    EXPECT_EQ(preset, 10);

    for (const char* text : {"0x10", "100"}) {
        CLI::App refusing;
        refusing.add_option("preset", preset)->transform(DecimalIn(0, 99));
        try {
            refusing.parse(std::vector<std::string>{text});
            ADD_FAILURE() << text << " was taken";
        } catch (const CLI::ValidationError& error) {
            EXPECT_EQ(std::string(error.what()),
                      std::string("preset: \"") + text + "\" is not a decimal number from 0 to 99");
        }
    }
}

TEST(DevicePorts, APathIsReachedThroughTheNumberThatNamesItOrOneGivenToIt)
{
    const std::string device = "/dev/null";  // any device will do: nothing is opened
    std::string problem;
    {
        ScopedEnvironment named(PortVariable(7), device);
        EXPECT_EQ(PortNumberForDevice(device, problem), 7);
    }
    // No number names it: the highest free one is given to it, and names it from then on,
    // in the serial library and not in the environment; the environment still wins.
    const int given = PortNumberForDevice(device, problem);
    EXPECT_EQ(given, zudedize::kHighestPortNumber);
    EXPECT_EQ(std::getenv(PortVariable(given).c_str()), nullptr);
    EXPECT_EQ(zudedize::ComPortDevicePath(given), device);
    EXPECT_EQ(PortNumberForDevice(device, problem), given);
    {
        ScopedEnvironment outer(PortVariable(given), "/dev/zero");
        EXPECT_EQ(zudedize::ComPortDevicePath(given), "/dev/zero");
    }
    zudedize::NameComPort(given, "");
    EXPECT_EQ(zudedize::ComPortDevicePath(given), "");

    EXPECT_EQ(PortNumberForDevice("/dev/no-such-port", problem), 0);
    EXPECT_EQ(problem, "cannot open /dev/no-such-port: No such file or directory");
}

TEST(Companion, APortWhoseThreadCannotStartIsNamedWithTheSerialLibrarysWords)
{
    kpxsim::Simulator sim;
    ScopedEnvironment port(PortVariable(7), sim.SlavePath());
    Request request;
    request.com_port = 7;
    request.transport = TransportKind::SerialPort;
    Companion companion(request);
    {
        testing::ThreadRefusingSerialSystem refusing(1);
        zudedize::ScopedSerialSystem in_place(refusing);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Connect(companion));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "orvel-cli: cannot open COM 7 (" + sim.SlavePath() +
                                                                "): Błąd podczas uruchamiania wątku. (code " +
                                                                std::to_string(EAGAIN) + ")\n");
    }
    EXPECT_TRUE(Connect(companion)) << "the port opens once threads start again";
}

}  // namespace
}  // namespace orvel
