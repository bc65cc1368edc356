#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "sim/simulator.h"

namespace kpxsim {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(ConverterTree, LaysOutConvertersAsTheKernelDoes)
{
    ConverterTree tree;
    const fs::path root = tree.Root();
    EXPECT_EQ(tree.Add(0, "KPX00001", "/dev/pts/77"), "ttyUSB0");
    EXPECT_EQ(tree.Add(3, "A9ZZ", "/dev/pts/78", "1234"), "ttyUSB3");

    const fs::path link = root / "sys/bus/usb-serial/devices/ttyUSB3";
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "../../../devices/usb3/3-1/3-1:1.0/ttyUSB3");
    const fs::path port = fs::canonical(link);
    EXPECT_EQ(port, fs::canonical(root / "sys/devices/usb3/3-1/3-1:1.0/ttyUSB3"));

    // The converter's attributes sit on the USB device, two levels above the port.
    const fs::path device = port.parent_path().parent_path();
    EXPECT_EQ(Contents(device / "idVendor"), "1234\n");
    EXPECT_EQ(Contents(device / "idProduct"), "6001\n");
    EXPECT_EQ(Contents(device / "serial"), "A9ZZ\n");
    EXPECT_EQ(Contents(root / "sys/devices/usb0/0-1/idVendor"), "0403\n");
    EXPECT_EQ(fs::read_symlink(root / "dev/ttyUSB0"), "/dev/pts/77");

    tree.Remove(3);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    EXPECT_FALSE(fs::exists(root / "sys/devices/usb3"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(root / "dev/ttyUSB3")));
    EXPECT_TRUE(fs::is_symlink(root / "sys/bus/usb-serial/devices/ttyUSB0"));

    tree.Add(0, "NEW", "/dev/pts/79");  // the same index again replaces the converter
    EXPECT_EQ(Contents(root / "sys/devices/usb0/0-1/serial"), "NEW\n");
}

TEST(ConverterTree, RemovesWhatItCreated)
{
    fs::path temporary;
    {
        ConverterTree tree;
        temporary = tree.Root();
        tree.Add(0, "S", "/dev/null");
    }
    EXPECT_FALSE(fs::exists(temporary));

    const fs::path mine = fs::temp_directory_path() / ("kpxsim-tree-" + std::to_string(::getpid()));
    fs::create_directories(mine / "dev");
    std::ofstream(mine / "keep").put('x');
    {
        ConverterTree tree(mine.string());
        tree.Add(1, "S", "/dev/null");
        EXPECT_TRUE(fs::exists(mine / "sys/devices/usb1/1-1/serial"));
    }
    EXPECT_TRUE(fs::exists(mine / "keep"));
    EXPECT_TRUE(fs::exists(mine / "dev"));  // it was there before
    EXPECT_FALSE(fs::exists(mine / "sys"));
    fs::remove_all(mine);

    const fs::path fresh = mine / "new/root";
    {
        ConverterTree tree(fresh.string());
        tree.Add(0, "S", "/dev/null");
    }
    EXPECT_FALSE(fs::exists(mine));
}

}  // namespace
}  // namespace kpxsim
