// The converter listing and the open by serial number, over a redirected system tree whose
// converters lead to pseudo-terminals.
#include "device/converter/usb_converters.h"

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

}  // namespace
}  // namespace orvel
