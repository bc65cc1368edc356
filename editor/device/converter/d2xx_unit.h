// D2XXUnit: the thin wrapper over the USB converter library that the device link, the
// connection monitor and the firmware upgrade use. One instance for the whole program.
// Result type of this layer: the converter library's FtStatus (kFtOk, 0, when the call
// succeeded); reads and writes give the count of bytes moved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/converter/converter_library.h"
#include "device/user_messages.h"

namespace orvel {

// Line settings of the controller's serial line, in the converter library's codes.
struct UsbLineParameters {
    std::uint32_t baud_rate = 9600;
    std::uint8_t word_length = kFtBits8;
    std::uint8_t stop_bits = kFtStopBits1;
    std::uint8_t parity = kFtParityEven;
    std::uint16_t flow_control = kFtFlowNone;
    std::uint8_t xon = 0x11;
    std::uint8_t xoff = 0x13;
};

// The text shown after a failing call's label, e.g. " - Invalid baud rate...".
std::string DeviceStatusText(FtStatus status);

class D2XXUnit {
public:
    static constexpr std::size_t kBufferSize = 65536;
    static constexpr std::size_t kMaxSerialLength = 49;

    D2XXUnit(ConverterLibrary& library, UserMessages& messages);

    void SetLineParameters();  // back to the controller's line settings
    const UsbLineParameters& LineParameters() const { return line_; }

    FtStatus GetFTDeviceCount();  // reported as "GetFTDeviceCount"
    FtStatus GetSerialNumberByIndex(std::int32_t index);
    FtStatus OpenBySerialNumber(const std::string& serial);
    FtStatus CloseDevice();
    std::int32_t ReadDeviceBytes(std::int32_t n);   // into InputBuffer(); returns the count read
    std::int32_t WriteDeviceBytes(std::int32_t n);  // from OutputBuffer(); returns the count written
    FtStatus SetDeviceBaudRate();                   // reported as "FT_SetBaudRate"
    FtStatus SetDeviceDataCharacteristics();        // reported as "FT_SetDataCharacteristics"
    FtStatus SetDeviceFlowControl();                // reported as "FT_SetFlowControl"
    FtStatus SetDeviceTimeouts(std::int32_t read_ms, std::int32_t write_ms);  // reported as "FT_SetTimeouts"
    FtStatus GetDeviceComPortNumber(std::int32_t& port);

    // Reads end at once, the one waiting on another thread included, or wait again (see
    // ConverterLibrary).
    void AbandonWaits(bool abandon) { library_.AbandonWaits(abandon); }
    // Shows "label + status text" in an error box when status is not 0.
    void ReportDeviceError(const std::string& label, FtStatus status);

    std::uint8_t* InputBuffer() { return input_.data(); }
    std::uint8_t* OutputBuffer() { return output_.data(); }
    std::uint32_t DeviceCount() const { return device_count_; }
    FtStatus LastIoStatus() const { return last_io_status_; }
    bool IsOpen() const { return handle_ != 0; }
    const std::string& OpenSerialNumber() const { return open_serial_; }  // as passed to the open call
    const FtSerialBuffer& LastListedSerialRaw() const { return last_serial_raw_; }
    const std::string& LastListedSerial() const { return last_serial_; }
    void ClearLastListedSerial();

private:
    FtStatus Reported(const char* label, FtStatus status);

    ConverterLibrary& library_;
    UserMessages& messages_;
    UsbLineParameters line_;
    FtHandle handle_ = 0;
    FtStatus last_io_status_ = kFtOk;
    std::vector<std::uint8_t> input_;
    std::vector<std::uint8_t> output_;
    std::uint32_t device_count_ = 0;
    std::string open_serial_;
    FtSerialBuffer last_serial_raw_{};
    std::string last_serial_;
};

}  // namespace orvel
