// PIPAdress over the REGEDIT4 file that stands in for the registry.
#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>

#include "blocking_api.h"
#include "network_port_address.h"
#include "pseudo_terminal.h"
#include "threaded_api.h"
#include "zudedize_constants.h"

namespace zudedize::test {
namespace {

class NetworkPortAddressTest : public ::testing::Test {
protected:
    // Makes `content` the registry.
    void Registry(const std::string& content) {
        std::ofstream(path_) << "REGEDIT4\r\n\r\n" << content;
    }
    ~NetworkPortAddressTest() override { unlink(path_.c_str()); }

    std::string path_ = "/tmp/zudedize-registry-" + std::to_string(getpid()) + ".reg";
    ScopedEnvironment variable_{kRegistryFileVariable, path_};
};

TEST_F(NetworkPortAddressTest, LowerCasePortNameMatchesAndGivesTheOctetsMostSignificantFirst) {
    Registry(R"([HKEY_LOCAL_MACHINE\ENUM\ROOT\*VSP\0000]
"PortName"="com4"
"DestinationIp"=dword:c0a8010a
)");
    EXPECT_EQ(NetworkAddressOfPort(4), "192.168.1.10");
    EXPECT_EQ(NetworkAddressOfPort(5), "");
    EXPECT_EQ(threaded::PIPAdress(4), "192.168.1.10");
    EXPECT_EQ(blocking::PIPAdress(4), "192.168.1.10");
}

TEST_F(NetworkPortAddressTest, VspIsSearchedRatherThanTvspAndTvspOnlyWithoutIt) {
    const std::string tvsp = R"([HKEY_LOCAL_MACHINE\ENUM\ROOT\*TVSP\0000]
"PortName"="COM4"
"DestinationIp"=dword:0a000001
)";
    Registry(tvsp);
    EXPECT_EQ(NetworkAddressOfPort(4), "10.0.0.1");
    Registry(tvsp + R"([HKEY_LOCAL_MACHINE\ENUM\ROOT\*VSP\0000]
"PortName"="COM7"
"DestinationIp"=dword:0a000007
)");
    EXPECT_EQ(NetworkAddressOfPort(7), "10.0.0.7");
    EXPECT_EQ(NetworkAddressOfPort(4), "") << "with a *VSP key the *TVSP devices are not looked at";
}

TEST_F(NetworkPortAddressTest, LaterDeviceWinsAndADeviceWithoutAddressGivesZero) {
    Registry(R"([HKEY_LOCAL_MACHINE\ENUM\ROOT\*VSP\0001]
"PortName"="COM4"
"DestinationIp"=dword:01020304

[HKEY_LOCAL_MACHINE\ENUM\ROOT\*VSP\0000]
"PortName"="COM4"
"DestinationIp"=dword:05060708

[HKEY_LOCAL_MACHINE\ENUM\ROOT\*VSP\0002]
"PortName"="COM9"
)");
    EXPECT_EQ(NetworkAddressOfPort(4), "5.6.7.8");
    EXPECT_EQ(NetworkAddressOfPort(9), "0.0.0.0");
}

TEST_F(NetworkPortAddressTest, OlderTreeFirstAndTheCurrentTreeOnlyWhenItHasNoMatch) {
    Registry(R"([HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\Root\*VSP\0000\Device Parameters]
"PortName"="COM4"
"DestinationIp"=dword:0b0b0b0b

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\Root\*VSP\0001\Device Parameters]
"PortName"="COM6"
"DestinationIp"=dword:0c0c0c0c

[HKEY_LOCAL_MACHINE\ENUM\ROOT\*VSP\0000]
"PortName"="COM4"
"DestinationIp"=dword:0a0a0a0a
)");
    EXPECT_EQ(NetworkAddressOfPort(4), "10.10.10.10");
    EXPECT_EQ(NetworkAddressOfPort(6), "12.12.12.12");
}

TEST_F(NetworkPortAddressTest, NoFileOrNoRegistryGivesTheEmptyText) {
    EXPECT_EQ(NetworkAddressOfPort(4), "") << "the file does not exist yet";
    std::ofstream(path_) << "[HKEY_LOCAL_MACHINE\\ENUM\\ROOT\\*VSP\\0000]\n\"PortName\"=\"COM4\"\n";
    EXPECT_EQ(NetworkAddressOfPort(4), "") << "not a REGEDIT4 file";
    Registry("[HKEY_LOCAL_MACHINE\\ENUM\\ROOT\\*VSP\\0000\n\"PortName\"=\"COM4\n\"DestinationIp\"=dword:zz\n");
    EXPECT_EQ(NetworkAddressOfPort(4), "") << "broken lines are skipped";
    unsetenv(kRegistryFileVariable);
    EXPECT_EQ(NetworkAddressOfPort(4), "");
}

}  // namespace
}  // namespace zudedize::test
