#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>
#include <system_error>
#include <utility>

#include "sim/simulator.h"

namespace kpxsim {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProductId = "6001";

std::string MakeTemporaryRoot()
{
    const char* tmpdir = ::getenv("TMPDIR");
    std::string pattern = std::string{tmpdir && *tmpdir ? tmpdir : "/tmp"} + "/kpx-sim.XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), "kpx-sim: mkdtemp " + pattern);
    return pattern;
}

void WriteAttribute(const fs::path& path, const std::string& value)
{
    std::ofstream file(path);
    file << value << '\n';
    if (!file) throw std::runtime_error("kpx-sim: cannot write " + path.string());
}

std::string TtyName(int index)
{
    return "ttyUSB" + std::to_string(index);
}

fs::path PortLink(const std::string& root, int index)
{
    return fs::path(root) / "sys/bus/usb-serial/devices" / TtyName(index);
}

fs::path UsbBus(const std::string& root, int index)
{
    return fs::path(root) / "sys/devices" / ("usb" + std::to_string(index));
}

fs::path DeviceNode(const std::string& root, int index)
{
    return fs::path(root) / "dev" / TtyName(index);
}

}  // namespace

ConverterTree::ConverterTree() : root_(MakeTemporaryRoot()), owned_(true)
{
    MakeDirectories(root_ + "/sys/bus/usb-serial/devices");
    MakeDirectories(root_ + "/sys/devices");
    MakeDirectories(root_ + "/dev");
}

ConverterTree::ConverterTree(std::string root) : root_(std::move(root))
{
    if (root_.empty()) throw std::invalid_argument("kpx-sim: empty root directory");
    owned_ = !fs::exists(root_);
    MakeDirectories(root_);
    MakeDirectories(root_ + "/sys/bus/usb-serial/devices");
    MakeDirectories(root_ + "/sys/devices");
    MakeDirectories(root_ + "/dev");
}

ConverterTree::~ConverterTree()
{
    std::error_code ignored;
    if (owned_) {
        fs::remove_all(root_, ignored);
    } else {
        for (int index : std::vector<int>(converters_)) {
            try {
                Remove(index);
            } catch (const fs::filesystem_error&) {
            }
        }
    }
    for (auto dir = created_dirs_.rbegin(); dir != created_dirs_.rend(); ++dir)
        fs::remove(*dir, ignored);  // only if empty
}

void ConverterTree::MakeDirectories(const std::string& path)
{
    fs::path partial;
    for (const fs::path& part : fs::path(path)) {
        partial /= part;
        if (fs::create_directory(partial)) created_dirs_.push_back(partial.string());
    }
}

const std::string& ConverterTree::Root() const
{
    return root_;
}

std::string ConverterTree::Add(int index, const std::string& serial, const std::string& device_path,
                               const std::string& vendor)
{
    if (index < 0) throw std::invalid_argument("kpx-sim: a converter index is 0 or more");
    Remove(index);

    const std::string k = std::to_string(index);
    const std::string tty = TtyName(index);
    const fs::path device = UsbBus(root_, index) / (k + "-1");
    fs::create_directories(device / (k + "-1:1.0") / tty);
    WriteAttribute(device / "idVendor", vendor);
    WriteAttribute(device / "idProduct", kProductId);
    WriteAttribute(device / "serial", serial);
    fs::create_symlink("../../../devices/usb" + k + "/" + k + "-1/" + k + "-1:1.0/" + tty, PortLink(root_, index));
    fs::create_symlink(device_path, DeviceNode(root_, index));
    converters_.push_back(index);
    return tty;
}

void ConverterTree::Remove(int index)
{
    fs::remove(PortLink(root_, index));
    fs::remove(DeviceNode(root_, index));
    fs::remove_all(UsbBus(root_, index));
    converters_.erase(std::remove(converters_.begin(), converters_.end(), index), converters_.end());
}

}  // namespace kpxsim
