// A converter or serial device that is there but that the user may not open is named, with
// its group, instead of "No KPX-2/KPX-3 connected". The tests run as root, so each case
// drops to the unprivileged user in a child process (a death test) and prints what the link
// showed there; the parent matches it.
#include "device/link/device_access.h"

#include <cstdlib>
#include <grp.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "device/commands/transfer_commands.h"
#include "device/protocol/serial_port_identity.h"
#include "tests/support/recording_view.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/sim_session.h"

namespace orvel {
namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

class DeviceAccess : public testing::SimulatedSession {
protected:
    static void SetUpTestSuite() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

    void SetUp() override
    {
        if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the device away and drop privileges";
        testing::SimulatedConverter::SetUp();
    }

    // The controller's tty as a node of `group` with `mode`, reachable by everyone through the
    // redirected tree.
    void GiveDeviceAway(gid_t group, mode_t mode)
    {
        ASSERT_EQ(::chmod(tree->Root().c_str(), 0755), 0);
        ASSERT_EQ(::chown(sim->SlavePath().c_str(), 0, group), 0);
        ASSERT_EQ(::chmod(sim->SlavePath().c_str(), mode), 0);
    }

    // In the child: from here on the process is nobody, in no supplementary group.
    static void BecomeNobody()
    {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0) std::_Exit(3);
    }

    // In the child: what the transfer showed, on standard error, for the parent to match.
    static void PrintShown(const testing::RecordingView& shown, TransferOutcome outcome)
    {
        std::cerr << (outcome == TransferOutcome::NoController    ? "no controller: "
                      : outcome == TransferOutcome::NotIdentified ? "not identified: "
                                                                  : "other outcome: ");
        for (const auto& m : shown.messages) std::cerr << "[" << m.text << "]";
        std::cerr << std::endl;
        std::exit(0);
    }
};

TEST_F(DeviceAccess, ConverterOfAGroupTheUserIsNotInIsNamedWithTheGroupAndTheRule)
{
    EXPECT_EXIT(
        {
            GiveDeviceAway(20, 0660);  // dialout
            BecomeNobody();
            PrintShown(view, ReadSettings(session));
        },
        ::testing::ExitedWithCode(0),
        "no controller: \\[No permission to open /[^ ]*/dev/ttyUSB0\\. Add your user to its group \"dialout\" "
        "\\(sudo usermod -aG dialout nobody, then log in again\\) or install Orvel's udev rule "
        "60-orvel-kpx\\.rules and plug the converter in again\\.\\]");
}

TEST_F(DeviceAccess, ConverterOnlyItsOwnerMayOpenPointsToTheRule)
{
    EXPECT_EXIT(
        {
            GiveDeviceAway(0, 0600);
            BecomeNobody();
            PrintShown(view, ReadSettings(session));
        },
        ::testing::ExitedWithCode(0),
        "\\[No permission to open /[^ ]*/dev/ttyUSB0\\. Only its owner root may open it: install Orvel's "
        "udev rule 60-orvel-kpx\\.rules and plug the converter in again\\.\\]");
}

// On the numbered serial port nothing is said when no controller answers; a port the user may
// not open is named, without the converters' rule.
TEST_F(DeviceAccess, SerialPortTheUserMayNotOpenIsNamedWhereSilenceWasKept)
{
    testing::ScopedEnvironment port(testing::PortVariable(9), sim->SlavePath());
    DeviceLink serial_link{usb, TransportKind::SerialPort};
    serial_link.port_number = 9;
    TransferSession serial_session{serial_link, table, settings, buffer, last_read, view};
    EXPECT_EXIT(
        {
            GiveDeviceAway(20, 0660);
            BecomeNobody();
            PrintShown(view, ReadSettings(serial_session));
        },
        ::testing::ExitedWithCode(0),
        "not identified: \\[No permission to open /dev/pts/[0-9]+\\. Add your user to its group \"dialout\" "
        "\\(sudo usermod -aG dialout nobody, then log in again\\)\\.\\]");
}

// What the link may open, or what is not there, is no refusal: the controller's own text stays.
TEST_F(DeviceAccess, OpenableOrMissingDevicesAreNoRefusal)
{
    GiveDeviceAway(20, 0660);
    EXPECT_FALSE(FindRefusedDevice(LinkCandidates(link)));  // root may open it
    EXPECT_FALSE(FindRefusedDevice({{"/nonexistent/ttyUSB9", true}}));
    EXPECT_FALSE(FindRefusedDevice(SerialPortCandidates(0)));
    EXPECT_EXIT(
        {
            BecomeNobody();
            const bool refused = FindRefusedDevice({{"/nonexistent/ttyUSB9", true}}).has_value();
            link.selected_serial = "UNPLUGGED";  // not listed: every listed converter was tried
            std::cerr << "refused " << refused << ", tried " << LinkCandidates(link).size() << ": "
                      << NoControllerText(link) << std::endl;
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "refused 0, tried 1: No permission to open /");
}

}  // namespace
}  // namespace orvel
