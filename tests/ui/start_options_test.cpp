#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstring>

#include "ui/rules/start_options.h"

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

TEST(Transport, SerialPortOptionSetsTheTransportVariable)
{
    EXPECT_TRUE(AsksForSerialPort({"orvel", "--serial-port"}));
    EXPECT_TRUE(AsksForSerialPort({"orvel", "ZEBU", "--serial-port"}));
    EXPECT_FALSE(AsksForSerialPort({"--serial-port"}));
    EXPECT_FALSE(AsksForSerialPort({"orvel", "--serial"}));

    ::unsetenv("ORVEL_TRANSPORT");
    EXPECT_FALSE(ApplyTransportOption({"orvel", "ZEBU"}));
    EXPECT_EQ(std::getenv("ORVEL_TRANSPORT"), nullptr);
    EXPECT_TRUE(ApplyTransportOption({"orvel", "--serial-port"}));
    ASSERT_NE(std::getenv("ORVEL_TRANSPORT"), nullptr);
    EXPECT_STREQ(std::getenv("ORVEL_TRANSPORT"), "serial");
    ::unsetenv("ORVEL_TRANSPORT");
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
