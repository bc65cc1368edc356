// The window's transfer items run the device commands against the virtual controller, here
// on a numbered serial port (the port box's number).
#include <stdlib.h>

#include <QProgressBar>
#include <QSpinBox>
#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "sim/simulator.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/window_test_support.h"
#include "ui/grid/preset_grid.h"

namespace orvel {
namespace {

TEST(DeviceCommands, ReadPresetAndSettingsFromTheWindow)
{
    kpxsim::Simulator sim;
    const testing::ScopedEnvironment port(testing::PortVariable(5), sim.SlavePath());
    sim.WriteMemory(37, kpxsim::Block{0x01, 0, 12, 0, 0, 0, 0, 0});
    sim.WriteMemory(251, kpxsim::Block{1, 2, 3, 4, 5, 6, 7, 0});

    testing::WindowFixture fixture;
    testing::WindowSetup setup;
    setup.transport = TransportKind::SerialPort;
    TMainForm& window = fixture.Start(setup);
    window.sePort()->setValue(5);
    const int row = TableRowOfPreset(37);
    window.State().table.SetCurrentRow(row);
    window.State().table.SetText(row, kColumnName, "Solo");

    window.Readpreset1Click();
    ASSERT_TRUE(testing::WaitUntilDeviceIdle(window));
    const PresetData read = window.State().table.GetRow(row);
    EXPECT_TRUE(read.buffer);
    EXPECT_EQ(read.midi1, "12");
    EXPECT_EQ(read.name, "Solo");
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("KPX firmware version: KPX2-3")));

    window.Readsettings1Click();
    ASSERT_TRUE(testing::WaitUntilDeviceIdle(window));
    EXPECT_EQ(window.State().settings.ctrl_numbers[0], "1");
    EXPECT_EQ(window.State().settings.ctrl_numbers[6], "7");
    EXPECT_TRUE(fixture.messages().shown.empty());
    EXPECT_FALSE(window.pb()->isVisible());
}

TEST(DeviceCommands, AValueOfWrongFormIsRefusedWithAMessage)
{
    kpxsim::Simulator sim;
    const testing::ScopedEnvironment port(testing::PortVariable(5), sim.SlavePath());
    testing::WindowFixture fixture;
    testing::WindowSetup setup;
    setup.transport = TransportKind::SerialPort;
    TMainForm& window = fixture.Start(setup);
    window.sePort()->setValue(5);
    window.State().table.SetCurrentRow(TableRowOfPreset(4));
    window.State().table.SetText(TableRowOfPreset(4), kColumnMidi1, "abc");
    window.Writepreset1Click();
    ASSERT_TRUE(testing::WaitUntilDeviceIdle(window));
    ASSERT_EQ(fixture.messages().shown.size(), 1u);
    EXPECT_EQ(fixture.messages().shown[0].text,
              "Preset 4: MIDI1 holds \"abc\", which the controller cannot take. Nothing was sent.");
    EXPECT_EQ(sim.BytesReceived(), 0u);
}

}  // namespace
}  // namespace orvel
