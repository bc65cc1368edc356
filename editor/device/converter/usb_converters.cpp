#include "device/converter/usb_converters.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/eventfd.h>
#include <unistd.h>

#include "zudedize/port_names.h"
#include "zudedize/termios_line.h"

namespace orvel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFtdiVendor = "0403";

std::string SystemRoot()
{
    const char* root = std::getenv("ORVEL_SYSROOT");
    return root != nullptr ? root : "";
}

std::string ReadAttribute(const fs::path& file)
{
    std::ifstream in(file);
    std::string value;
    std::getline(in, value);
    while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
    return value;
}

// "ttyUSB2" before "ttyUSB10": by the name's stem, then by its number.
bool TtyOrder(const ListedConverter& a, const ListedConverter& b)
{
    auto split = [](const std::string& name) {
        std::size_t digits = name.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])) != 0) --digits;
        const std::string number = name.substr(digits);
        return std::make_pair(name.substr(0, digits), number.empty() ? -1L : std::strtol(number.c_str(), nullptr, 10));
    };
    return split(a.tty) < split(b.tty);
}

int Milliseconds(std::uint32_t ms)
{
    return static_cast<int>(std::min<std::uint32_t>(ms, 24U * 3600U * 1000U));
}

zudedize::Parity ParityOf(std::uint8_t code)
{
    switch (code) {
    case kFtParityOdd: return zudedize::Parity::Odd;
    case kFtParityEven: return zudedize::Parity::Even;
    case kFtParityMark: return zudedize::Parity::Mark;
    case kFtParitySpace: return zudedize::Parity::Space;
    default: return zudedize::Parity::None;
    }
}

}  // namespace

std::string ListedSerial(const std::string& serial)
{
    return serial.substr(0, std::tuple_size_v<FtSerialBuffer> - 1);
}

std::vector<ListedConverter> ListUsbConverters()
{
    std::vector<ListedConverter> found;
    const std::string root = SystemRoot();
    const fs::path devices = fs::path(root + "/sys/bus/usb-serial/devices");
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(devices, ec)) {
        const std::string tty = entry.path().filename().string();
        if (tty.rfind("tty", 0) != 0) continue;
        // The entry links to the USB interface's tty folder; the USB device is two levels up.
        const fs::path real = fs::canonical(entry.path(), ec);
        if (ec) continue;
        const fs::path usb_device = real.parent_path().parent_path();
        if (ReadAttribute(usb_device / "idVendor") != kFtdiVendor) continue;
        found.push_back({tty, ReadAttribute(usb_device / "serial"), root + "/dev/" + tty});
    }
    std::sort(found.begin(), found.end(), TtyOrder);
    return found;
}

UsbConverters::UsbConverters() : abandon_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

UsbConverters::~UsbConverters()
{
    for (auto& [handle, device] : devices_) zudedize::CloseLine(device.fd);
    if (abandon_ >= 0) ::close(abandon_);
}

void UsbConverters::AbandonWaits(bool abandon)
{
    if (abandon_ < 0) return;
    // Writing makes the eventfd readable (a counter at its limit, the only refusal, is so
    // already); reading empties it (nothing to read is as good).
    std::uint64_t count = 1;
    const ssize_t done = abandon ? ::write(abandon_, &count, sizeof count) : ::read(abandon_, &count, sizeof count);
    (void)done;
}

UsbConverters::Device* UsbConverters::Find(FtHandle handle)
{
    const auto it = devices_.find(handle);
    return it == devices_.end() ? nullptr : &it->second;
}

FtStatus UsbConverters::CountDevices(std::uint32_t& count)
{
    count = static_cast<std::uint32_t>(ListUsbConverters().size());
    return kFtOk;
}

FtStatus UsbConverters::SerialNumberByIndex(std::int32_t index, FtSerialBuffer& serial)
{
    const auto converters = ListUsbConverters();
    if (index < 0 || static_cast<std::size_t>(index) >= converters.size()) return kFtDeviceNotFound;
    serial.fill('\0');
    const std::string text = ListedSerial(converters[static_cast<std::size_t>(index)].serial);
    std::memcpy(serial.data(), text.data(), text.size());
    return kFtOk;
}

FtStatus UsbConverters::OpenBySerialNumber(const char* serial, FtHandle& handle)
{
    if (serial == nullptr) return kFtInvalidParameter;
    // A converter is opened by the text the listing gave for it, which holds at most the
    // first 15 characters of a longer serial number. No text names no converter.
    const std::string wanted(serial);
    if (wanted.empty()) return kFtDeviceNotFound;
    for (const ListedConverter& converter : ListUsbConverters()) {
        if (ListedSerial(converter.serial) != wanted) continue;
        zudedize::OpenError error{};
        const int fd = zudedize::OpenLine(converter.device, error);
        if (fd < 0) return kFtDeviceNotOpened;
        zudedize::RequestLowLatency(fd);
        handle = next_handle_++;
        devices_[handle] = Device{fd, converter.device};
        return kFtOk;
    }
    return kFtDeviceNotFound;
}

FtStatus UsbConverters::Close(FtHandle handle)
{
    Device* device = Find(handle);
    if (device == nullptr) return kFtInvalidHandle;
    zudedize::CloseLine(device->fd);
    devices_.erase(handle);
    return kFtOk;
}

FtStatus UsbConverters::Read(FtHandle handle, std::uint8_t* buffer, std::uint32_t n, std::uint32_t& count)
{
    count = 0;
    Device* device = Find(handle);
    if (device == nullptr) return kFtInvalidHandle;
    if (device->lost) return kFtIoError;
    const auto result = zudedize::ReadLineUntil(device->fd, buffer, n, Milliseconds(device->read_timeout_ms), abandon_);
    count = static_cast<std::uint32_t>(result.count);
    device->lost = result.line_lost;
    return result.line_lost ? kFtIoError : kFtOk;
}

FtStatus UsbConverters::Write(FtHandle handle, const std::uint8_t* buffer, std::uint32_t n, std::uint32_t& count)
{
    count = 0;
    Device* device = Find(handle);
    if (device == nullptr) return kFtInvalidHandle;
    if (device->lost) return kFtIoError;
    const auto result = zudedize::WriteLine(device->fd, buffer, n, Milliseconds(device->write_timeout_ms));
    count = static_cast<std::uint32_t>(result.count);
    device->lost = result.line_lost;
    return result.line_lost ? kFtIoError : kFtOk;
}

FtStatus UsbConverters::SetBaudRate(FtHandle handle, std::uint32_t baud_rate)
{
    Device* device = Find(handle);
    if (device == nullptr) return kFtInvalidHandle;
    if (baud_rate == 0) return kFtInvalidBaudRate;
    return zudedize::SetLineSpeed(device->fd, baud_rate) ? kFtOk : kFtInvalidBaudRate;
}

FtStatus UsbConverters::SetDataCharacteristics(FtHandle handle, std::uint8_t word_length, std::uint8_t stop_bits,
                                               std::uint8_t parity)
{
    Device* device = Find(handle);
    if (device == nullptr) return kFtInvalidHandle;
    if ((word_length != kFtBits7 && word_length != kFtBits8) ||
        (stop_bits != kFtStopBits1 && stop_bits != kFtStopBits2) || parity > kFtParitySpace)
        return kFtInvalidParameter;
    const int stops = stop_bits == kFtStopBits2 ? 2 : 1;
    return zudedize::SetLineFormat(device->fd, word_length, stops, ParityOf(parity)) ? kFtOk : kFtIoError;
}

FtStatus UsbConverters::SetFlowControl(FtHandle handle, std::uint16_t flow, std::uint8_t xon, std::uint8_t xoff)
{
    Device* device = Find(handle);
    if (device == nullptr) return kFtInvalidHandle;
    if (flow != kFtFlowNone && flow != kFtFlowRtsCts && flow != kFtFlowDtrDsr && flow != kFtFlowXonXoff)
        return kFtInvalidParameter;
    // DTR/DSR handshaking has no termios form; the line then runs without flow control.
    const bool ok = zudedize::SetLineFlowControl(device->fd, flow == kFtFlowRtsCts, flow == kFtFlowXonXoff, xon, xoff);
    return ok ? kFtOk : kFtIoError;
}

FtStatus UsbConverters::SetTimeouts(FtHandle handle, std::uint32_t read_ms, std::uint32_t write_ms)
{
    Device* device = Find(handle);
    if (device == nullptr) return kFtInvalidHandle;
    device->read_timeout_ms = read_ms;
    device->write_timeout_ms = write_ms;
    return kFtOk;
}

FtStatus UsbConverters::GetComPortNumber(FtHandle handle, std::int32_t& port)
{
    port = 0;
    Device* device = Find(handle);
    if (device == nullptr) return kFtInvalidHandle;
    port = zudedize::ComPortNumberOfDevice(device->path);
    return kFtOk;
}

}  // namespace orvel
