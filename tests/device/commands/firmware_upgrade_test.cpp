// The firmware upgrade through the real kpx2 against the virtual controller's loader, on a
// COM port number named in the environment.
#include "device/commands/firmware_upgrade.h"

#include <optional>

#include <gtest/gtest.h>

#include "tests/support/recording_view.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/sim_faults.h"
#include "tests/support/sim_fixture.h"

namespace orvel {
namespace {

using testing::RecordingView;

constexpr const char* kHead = "KPX-2/KPX-3 firmware version:      ";

class FirmwareUpgrade : public testing::SimulatedConverter {
protected:
    static constexpr std::uint8_t kPort = 9;

    void SetUp() override {}

    void StartLoader(std::array<std::uint8_t, 3> version, bool runs_loader = false)
    {
        kpxsim::Options options;
        options.loader.version = version;
        options.loader.runs_loader = runs_loader;
        if (runs_loader) options.loader.device_type = 0x1D;
        Start(options);
        MapPort();
    }
    // COM port 9 names the controller's line.
    void MapPort() { port_name.emplace(testing::PortVariable(kPort), sim->SlavePath()); }

    RecordingView view;
    std::optional<testing::ScopedEnvironment> port_name;
};

TEST_F(FirmwareUpgrade, TheUploadableVersionComesFromKpx2)
{
    EXPECT_EQ(UploadableImageVersion(), "2.25");
}

TEST_F(FirmwareUpgrade, SameVersionAsksToUpgradeAgainAndUpgrades)
{
    StartLoader({2, 2, 5});
    EXPECT_EQ(UpgradeFirmware(kPort, view), 0);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].caption, "Question");
    EXPECT_EQ(view.questions[0].icon, MessageIcon::Question);
    EXPECT_EQ(view.questions[0].text,
              std::string(kHead) +
                  "2.25\rFirmware version to upload: 2.25\r\r"
                  "These versions are the same.\rDo you want to upgrade once again the same firmware?");
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "Firmware upgraded successfully to 2.25 version");
    EXPECT_EQ(view.messages[0].caption, "Information");
    // Switch, erase, 89 blocks and the end: the bar is full exactly when the run ends.
    EXPECT_EQ(view.progress_maximum, 92);
    EXPECT_EQ(view.progress.back(), 92);
    EXPECT_FALSE(view.progress_bar_shown);
    // Each step is named as it starts, in the order it runs.
    ASSERT_EQ(view.steps.size(), 92u);
    EXPECT_EQ(view.steps[0], "switching to the loader");
    EXPECT_EQ(view.steps[1], "erasing the flash (up to 31 s)");
    EXPECT_EQ(view.steps[2], "block 1 of 89");
    EXPECT_EQ(view.steps[90], "block 89 of 89");
    EXPECT_EQ(view.steps[91], "checking the CRC");
}

TEST_F(FirmwareUpgrade, UnknownDigitAsksWithTheUnknownHead)
{
    StartLoader({3, 255, 0});
    view.answer_yes = false;
    EXPECT_EQ(UpgradeFirmware(kPort, view), 0);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text,
              "KPX-2/KPX-3 firmware version:   unknown\rFirmware version to upload: 2.25\r\rDo you want to upgrade "
              "firmware?");
    EXPECT_EQ(view.questions[0].caption, "Question");
}

TEST_F(FirmwareUpgrade, NewerControllerIsWarnedAboutAndDecliningSendsNothingFurther)
{
    StartLoader({3, 0, 0});
    std::size_t sent_when_asked = 0;
    view.on_question = [&] { sent_when_asked = sim->BytesReceived(); };
    view.answer_yes = false;
    EXPECT_EQ(UpgradeFirmware(kPort, view), 0);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].caption, "Information");
    EXPECT_EQ(view.questions[0].icon, MessageIcon::Warning);
    EXPECT_EQ(view.questions[0].text, std::string(kHead) +
                                          "3.00\rFirmware version to upload: 2.25\r\r"
                                          "Firmware version in KPX-2/KPX-3 is newer than version to upgrade.\r"
                                          "Do you want to upgrade firmware?");
    EXPECT_EQ(sim->BytesReceived(), sent_when_asked);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(sim->RunsLoader());
}

TEST_F(FirmwareUpgrade, OlderControllerInItsLoaderIsNotSwitchedAgain)
{
    StartLoader({2, 2, 4}, true);
    EXPECT_EQ(UpgradeFirmware(kPort, view), 0);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text,
              std::string(kHead) + "2.24\rFirmware version to upload: 2.25\r\rDo you want to upgrade firmware?");
    EXPECT_EQ(view.progress_maximum, 91);  // no switch to the loader
    EXPECT_EQ(view.progress.back(), 91);
}

TEST_F(FirmwareUpgrade, AFailureAtBlock40StopsThereAndShowsItsText)
{
    StartLoader({2, 2, 4});
    sim->SetFaults(testing::With([](kpxsim::Faults& f) { f.block_status = kpxsim::BlockStatus{40, 2}; }));
    MapPort();
    view.port_answer = kPort;  // the converter has no COM number: the user names it
    EXPECT_EQ(FirmwareUpgradeCommand(usb, 6, view), TransferOutcome::Failed);
    EXPECT_EQ(view.asked_port_with, std::vector<int>{6});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "data verification error");
    EXPECT_EQ(view.messages[0].caption, "Information");
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(view.progress.back(), 1 + 1 + 40);     // switch, erase, blocks 0 to 39
    EXPECT_EQ(view.steps.back(), "block 41 of 89");  // the CRC step never started
    EXPECT_FALSE(view.progress_bar_shown);
}

TEST_F(FirmwareUpgrade, AConverterWithACOMNumberNeedsNoDialog)
{
    StartLoader({2, 2, 5});
    MapPort();
    ASSERT_EQ(usb.GetSerialNumberByIndex(0), kFtOk);  // as the connection monitor leaves it
    view.answer_yes = false;
    EXPECT_EQ(FirmwareUpgradeCommand(usb, 6, view), TransferOutcome::Declined);
    EXPECT_TRUE(view.asked_port_with.empty());
    EXPECT_EQ(view.questions.size(), 1u);
    EXPECT_FALSE(usb.IsOpen());
}

TEST_F(FirmwareUpgrade, ClosingThePortDialogEndsTheCommandQuietly)
{
    StartLoader({2, 2, 5});
    EXPECT_EQ(FirmwareUpgradeCommand(usb, 6, view), TransferOutcome::Declined);
    EXPECT_EQ(view.asked_port_with, std::vector<int>{6});
    EXPECT_TRUE(view.questions.empty());
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(sim->BytesReceived(), 0u);
}

}  // namespace
}  // namespace orvel
