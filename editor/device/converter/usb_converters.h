// The converter library on Linux: FTDI converters (USB vendor 0403) found in sysfs under
// /sys/bus/usb-serial/devices, each opened through its tty with termios.
// ORVEL_SYSROOT in the environment moves the /sys and /dev looked at under another root,
// which is how tests and the virtual controller present converters.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "device/converter/converter_library.h"

namespace orvel {

struct ListedConverter {
    std::string tty;     // "ttyUSB0"
    std::string serial;  // the USB device's serial number, "" when it has none
    std::string device;  // path of the device node
};

// The serial number as the listing gives it: room for 15 characters and the zero.
std::string ListedSerial(const std::string& serial);

// The FTDI converters present now, in the order of their tty numbers.
std::vector<ListedConverter> ListUsbConverters();

class UsbConverters final : public ConverterLibrary {
public:
    UsbConverters();
    ~UsbConverters() override;
    UsbConverters(const UsbConverters&) = delete;
    UsbConverters& operator=(const UsbConverters&) = delete;

    FtStatus CountDevices(std::uint32_t& count) override;
    FtStatus SerialNumberByIndex(std::int32_t index, FtSerialBuffer& serial) override;
    FtStatus OpenBySerialNumber(const char* serial, FtHandle& handle) override;
    FtStatus Close(FtHandle handle) override;
    FtStatus Read(FtHandle handle, std::uint8_t* buffer, std::uint32_t n, std::uint32_t& count) override;
    FtStatus Write(FtHandle handle, const std::uint8_t* buffer, std::uint32_t n, std::uint32_t& count) override;
    void AbandonWaits(bool abandon) override;
    FtStatus SetBaudRate(FtHandle handle, std::uint32_t baud_rate) override;
    FtStatus SetDataCharacteristics(FtHandle handle, std::uint8_t word_length, std::uint8_t stop_bits,
                                    std::uint8_t parity) override;
    FtStatus SetFlowControl(FtHandle handle, std::uint16_t flow, std::uint8_t xon, std::uint8_t xoff) override;
    FtStatus SetTimeouts(FtHandle handle, std::uint32_t read_ms, std::uint32_t write_ms) override;
    bool HasComPortLookup() const override { return true; }
    FtStatus GetComPortNumber(FtHandle handle, std::int32_t& port) override;

private:
    struct Device {
        int fd = -1;
        std::string path;
        std::uint32_t read_timeout_ms = 0;  // 0 until set: take what is there, never wait unbounded
        std::uint32_t write_timeout_ms = 0;
        bool lost = false;
    };
    Device* Find(FtHandle handle);

    std::map<FtHandle, Device> devices_;
    FtHandle next_handle_ = 1;
    int abandon_ = -1;  // an eventfd, readable once AbandonWaits was called
};

}  // namespace orvel
