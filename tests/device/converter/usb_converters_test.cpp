// The converter listing and the open by serial number, over a redirected system tree whose
// converters lead to pseudo-terminals.
#include "device/converter/usb_converters.h"

#include <cstdint>
#include <future>
#include <pty.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "sim/simulator.h"
#include "tests/support/scoped_environment.h"

namespace orvel {
namespace {

class PtyPair {
public:
    PtyPair()
    {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0) path_ = name;
    }
    ~PtyPair()
    {
        close(master_);
        close(slave_);
    }
    const std::string& Path() const { return path_; }
    int Master() const { return master_; }

private:
    int master_ = -1, slave_ = -1;
    std::string path_;
};

TEST(UsbConverters, OpensAConverterByTheSerialTheListingGave)
{
    PtyPair long_one, plain, unnamed;
    kpxsim::ConverterTree tree;
    tree.Add(0, "KPX0000100002222", long_one.Path());  // 16 characters
    tree.Add(1, "KPX00002", plain.Path());
    tree.Add(2, "", unnamed.Path());
    testing::ScopedEnvironment root("ORVEL_SYSROOT", tree.Root());

    UsbConverters converters;
    std::uint32_t count = 0;
    ASSERT_EQ(converters.CountDevices(count), kFtOk);
    ASSERT_EQ(count, 3u);
    FtSerialBuffer listed{};
    ASSERT_EQ(converters.SerialNumberByIndex(0, listed), kFtOk);
    EXPECT_STREQ(listed.data(), "KPX000010000222");

    FtHandle handle = 0;
    EXPECT_EQ(converters.OpenBySerialNumber(listed.data(), handle), kFtOk) << "found by the text it was listed as";
    EXPECT_EQ(converters.Close(handle), kFtOk);
    EXPECT_EQ(converters.OpenBySerialNumber("KPX00002", handle), kFtOk);
    EXPECT_EQ(converters.Close(handle), kFtOk);

    EXPECT_EQ(converters.OpenBySerialNumber("", handle), kFtDeviceNotFound)
        << "no serial number names no converter, not one without a serial";
    EXPECT_EQ(converters.OpenBySerialNumber("KPX0000", handle), kFtDeviceNotFound) << "no prefix match";
}

// A read waiting on a silent line ends when another thread abandons the waits, and so does the
// next; once the waits are back, a read takes what the line brings. (A read that was not
// abandoned would wait its day-long time-out: the test's deadline ends it as a failure.)
TEST(UsbConverters, AbandonedWaitsEndAtOnceUntilTheyAreBack)
{
    PtyPair line;
    kpxsim::ConverterTree tree;
    tree.Add(0, "KPX00001", line.Path());
    testing::ScopedEnvironment root("ORVEL_SYSROOT", tree.Root());
    UsbConverters converters;
    FtHandle handle = 0;
    ASSERT_EQ(converters.OpenBySerialNumber("KPX00001", handle), kFtOk);
    constexpr std::uint32_t kDay = 24 * 3600 * 1000;
    ASSERT_EQ(converters.SetTimeouts(handle, kDay, kDay), kFtOk);

    std::uint8_t byte = 0;
    std::uint32_t count = 1;
    auto waiting = std::async(std::launch::async, [&] { return converters.Read(handle, &byte, 1, count); });
    converters.AbandonWaits(true);
    EXPECT_EQ(waiting.get(), kFtOk);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(converters.Read(handle, &byte, 1, count), kFtOk);
    EXPECT_EQ(count, 0u) << "a later read ends at once too";

    converters.AbandonWaits(false);
    const std::uint8_t sent = 0x5A;
    ASSERT_EQ(write(line.Master(), &sent, 1), 1);
    EXPECT_EQ(converters.Read(handle, &byte, 1, count), kFtOk);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(byte, sent);
    EXPECT_EQ(converters.Close(handle), kFtOk);
}

}  // namespace
}  // namespace orvel
