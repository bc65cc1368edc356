// PIPAdress over the REGEDIT4 file that stands in for the registry.
#include "serial/network_port_address.h"

#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/pseudo_terminal.h"
#include "zudedize/blocking_api.h"
#include "zudedize/threaded_api.h"
#include "zudedize/zudedize_constants.h"

namespace zudedize::test {
namespace {

class NetworkPortAddressTest : public ::testing::Test {
protected:
    // Makes `content` the registry.
    void Registry(const std::string& content) { std::ofstream(path_) << "REGEDIT4\r\n\r\n" << content; }
    ~NetworkPortAddressTest() override { unlink(path_.c_str()); }

    std::string path_ = "/tmp/zudedize-registry-" + std::to_string(getpid()) + ".reg";
    ScopedEnvironment variable_{kRegistryFileVariable, path_};
};

TEST_F(NetworkPortAddressTest, LowerCasePortNameMatchesAndGivesTheOctetsMostSignificantFirst)
{
    Registry(R"([HKEY_LOCAL_MACHINE\ENUM\ROOT\*VSP\0000]
"PortName"="com4"
"DestinationIp"=dword:c0a8010a
)");
    EXPECT_EQ(NetworkAddressOfPort(4), "192.168.1.10");
    EXPECT_EQ(NetworkAddressOfPort(5), "");
    EXPECT_EQ(threaded::PIPAdress(4), "192.168.1.10");
    EXPECT_EQ(blocking::PIPAdress(4), "192.168.1.10");
}

TEST_F(NetworkPortAddressTest, ReadsUtf8AndUtf16ExportsWithTheirByteOrderMarks)
{
    // "; Łódź" exercises letters beyond ASCII, two of them beyond Latin-1.
    const std::string text =
        "Windows Registry Editor Version 5.00\r\n\r\n; \u0141\u00F3d\u017A\r\n"
        "[HKEY_LOCAL_MACHINE\\ENUM\\ROOT\\*VSP\\0000]\r\n"
        "\"PortName\"=\"COM6\"\r\n\"DestinationIp\"=dword:0a000105\r\n";
    const auto write = [this](const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; };

    write("\xEF\xBB\xBF" + text);
    EXPECT_EQ(NetworkAddressOfPort(6), "10.0.1.5") << "UTF-8 with its mark";

    // The same text as UTF-16 little-endian, as the registry editor exports it.
    std::u16string units = u"\uFEFF";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            units += static_cast<char16_t>(c);
        } else {  // two-byte UTF-8 sequences only in this text
            units += static_cast<char16_t>((c & 0x1F) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
            ++i;
        }
    }
    std::string utf16;
    for (const char16_t unit : units) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    write(utf16);
    EXPECT_EQ(NetworkAddressOfPort(6), "10.0.1.5") << "UTF-16 with its mark";
    EXPECT_EQ(threaded::PIPAdress(6), "10.0.1.5");

    write(utf16.substr(0, utf16.size() - 1));
    EXPECT_EQ(NetworkAddressOfPort(6), "") << "a unit cut in half: the file cannot be read";
    write(std::string("\xFF\xFE\x00\xDC", 4) + utf16.substr(2));
    EXPECT_EQ(NetworkAddressOfPort(6), "") << "a lone surrogate";
}

TEST_F(NetworkPortAddressTest, VspIsSearchedRatherThanTvspAndTvspOnlyWithoutIt)
{
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

TEST_F(NetworkPortAddressTest, LaterDeviceWinsAndADeviceWithoutAddressGivesZero)
{
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

TEST_F(NetworkPortAddressTest, OlderTreeFirstAndTheCurrentTreeOnlyWhenItHasNoMatch)
{
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

TEST_F(NetworkPortAddressTest, NoFileOrNoRegistryGivesTheEmptyText)
{
    EXPECT_EQ(NetworkAddressOfPort(4), "") << "the file does not exist yet";
    std::ofstream(path_) << "[HKEY_LOCAL_MACHINE\\ENUM\\ROOT\\*VSP\\0000]\n\"PortName\"=\"COM4\"\n";
    EXPECT_EQ(NetworkAddressOfPort(4), "") << "not a REGEDIT4 file";
    Registry("[HKEY_LOCAL_MACHINE\\ENUM\\ROOT\\*VSP\\0000\n\"PortName\"=\"COM4\n\"DestinationIp\"=dword:zz\n");
    EXPECT_EQ(NetworkAddressOfPort(4), "") << "broken lines are skipped";
    const ScopedEnvironment no_registry(kRegistryFileVariable, std::nullopt);
    EXPECT_EQ(NetworkAddressOfPort(4), "");
}

}  // namespace
}  // namespace zudedize::test
