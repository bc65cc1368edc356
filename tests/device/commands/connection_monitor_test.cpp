// The connection monitor's tick against virtual controllers behind converters.
#include "device/commands/connection_monitor.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "device/converter/usb_converters.h"
#include "sim/simulator.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/sim_faults.h"

namespace orvel {
namespace {

class Monitor : public ::testing::Test {
protected:
    kpxsim::Simulator& Add(int index, const std::string& serial, const kpxsim::Options& options = {})
    {
        sims.push_back(std::make_unique<kpxsim::Simulator>(options));
        tree.Add(index, serial, sims.back()->SlavePath());
        return *sims.back();
    }

    MonitorResult Tick()
    {
        return RunMonitorTick(link, [this](std::chrono::milliseconds pause) { pauses.push_back(pause); });
    }

    kpxsim::ConverterTree tree;
    testing::ScopedEnvironment sysroot{"ORVEL_SYSROOT", tree.Root()};
    std::vector<std::unique_ptr<kpxsim::Simulator>> sims;
    testing::RecordingMessages messages;
    UsbConverters converters;
    D2XXUnit usb{converters, messages};
    DeviceLink link{usb, TransportKind::UsbConverter};
    std::vector<std::chrono::milliseconds> pauses;
};

TEST_F(Monitor, NoConverterEmptiesThePanelAndDisablesThePopupItems)
{
    const MonitorResult result = Tick();
    EXPECT_EQ(result.finding, MonitorFinding::NoConverter);
    EXPECT_EQ(ShowOfMonitor(result, "KPX2-3"), (MonitorShow{std::nullopt, "", false}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Monitor, OnlyTheSecondOfTwoConvertersAnswersAndEndsSelected)
{
    Add(0, "KPX00001").SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    Add(1, "KPX00002", [] {
        kpxsim::Options short_form;
        short_form.identity = "KP2-31";
        return short_form;
    }());
    const MonitorResult result = Tick();
    EXPECT_EQ(result.finding, MonitorFinding::Identified);
    EXPECT_EQ(result.shown_identity, "KPX2-31");
    EXPECT_EQ(link.selected_serial, "KPX00002");
    EXPECT_EQ(link.firmware_version, 31);
    EXPECT_EQ(ShowOfMonitor(result, ""), (MonitorShow{"KPX firmware version: KPX2-31", "KPX2-31 connected", true}));
    EXPECT_FALSE(usb.IsOpen());
}

// The title has lost its firmware text; the status says the converter is there and its
// controller is not answering, by the name it answered with before.
TEST_F(Monitor, NoAnswerKeepsTheLastListedConverterSelectedAndSaysSo)
{
    Add(0, "KPX00001").SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    const MonitorResult result = Tick();
    EXPECT_EQ(result.finding, MonitorFinding::NoAnswer);
    EXPECT_EQ(link.selected_serial, "KPX00001");
    EXPECT_EQ(usb.LastListedSerial(), "KPX00001");
    EXPECT_EQ(result.serial, "KPX00001");
    EXPECT_EQ(ShowOfMonitor(result, "KPX2-3"), (MonitorShow{std::nullopt, "KPX2-3 not answering on KPX00001", {}}));
    EXPECT_EQ(ShowOfMonitor(result, ""), (MonitorShow{std::nullopt, "KPX-2/KPX-3 not answering on KPX00001", {}}));
    EXPECT_TRUE(pauses.empty());
}

}  // namespace
}  // namespace orvel
