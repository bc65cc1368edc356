#include "ui/rules/start_options.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(TestMode, FirstArgumentZebuInAnyCase)
{
    EXPECT_TRUE(IsTestMode({"orvel", "ZEBU"}));
    EXPECT_TRUE(IsTestMode({"orvel", "zebu"}));
    EXPECT_TRUE(IsTestMode({"orvel", "ZeBu", "more"}));
    EXPECT_FALSE(IsTestMode({"orvel"}));
    EXPECT_FALSE(IsTestMode({}));
    EXPECT_FALSE(IsTestMode({"orvel", "x", "ZEBU"}));
    EXPECT_FALSE(IsTestMode({"orvel", "ZEB"}));
    EXPECT_FALSE(IsTestMode({"orvel", "ZEBUS"}));
    EXPECT_FALSE(IsTestMode({"orvel", "--serial-port", "ZEBU"}));
}

TEST(StartFile, FirstArgumentThatIsNeitherAnOptionNorTheTestWord)
{
    using Args = std::vector<std::string>;
    const std::pair<Args, std::optional<std::string>> cases[] = {
        {{"orvel"}, std::nullopt},
        {{"orvel", "gig.ini"}, "gig.ini"},
        {{"orvel", "zebu"}, std::nullopt},
        {{"orvel", "ZEBU", "caf\xe9.ini"}, "caf\xe9.ini"},
        {{"orvel", "--serial-port", "a.ini", "b.ini"}, "a.ini"},
        {{"orvel", "a.ini", "zebu"}, "a.ini"},
        {{"orvel", "", "x"}, "x"},
    };
    for (const auto& [arguments, file] : cases) EXPECT_EQ(StartFile(arguments), file) << arguments.size();
}

TEST(Transport, SerialPortOptionOrTheVariableElseTheUsbConverter)
{
    EXPECT_TRUE(AsksForSerialPort({"orvel", "--serial-port"}));
    EXPECT_TRUE(AsksForSerialPort({"orvel", "ZEBU", "--serial-port"}));
    EXPECT_FALSE(AsksForSerialPort({"--serial-port"}));
    EXPECT_FALSE(AsksForSerialPort({"orvel", "--serial"}));

    EXPECT_EQ(StartTransport({"orvel", "ZEBU"}, nullptr), TransportKind::UsbConverter);
    EXPECT_EQ(StartTransport({"orvel", "--serial-port"}, nullptr), TransportKind::SerialPort);
    EXPECT_EQ(StartTransport({"orvel"}, "serial"), TransportKind::SerialPort);
    EXPECT_EQ(StartTransport({"orvel"}, "Serial"), TransportKind::UsbConverter);
    EXPECT_EQ(StartTransport({"orvel"}, ""), TransportKind::UsbConverter);
    EXPECT_EQ(StartTransport({"orvel", "--serial-port"}, "usb"), TransportKind::SerialPort);
}

TEST(Screen, FirstMonitorWithItsLeftEdgeAtZero)
{
    EXPECT_EQ(ChooseMonitor({{-1920, 0, 1920, 1080}, {0, 0, 1024, 768}}), 1u);
    EXPECT_EQ(ChooseMonitor({{0, 0, 1920, 1080}, {0, 1080, 1024, 768}}), 0u);
    EXPECT_EQ(ChooseMonitor({{1920, 0, 1024, 768}, {100, 0, 1920, 1080}}), 0u);
    EXPECT_EQ(ChooseMonitor({}), 0u);
}

}  // namespace
}  // namespace orvel
