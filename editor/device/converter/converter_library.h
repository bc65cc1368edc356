// The calls the editor makes on the USB serial converter's library, with its status codes.
// One implementation drives the converters of this machine (usb_converters.h); tests may
// wrap it to present a converter that misbehaves in ways no pseudo-terminal can.
#pragma once

#include <array>
#include <cstdint>

namespace orvel {

using FtStatus = std::uint32_t;
using FtHandle = std::uintptr_t;  // 0 is no converter

// Status codes of the converter library.
enum : FtStatus {
    kFtOk = 0,
    kFtInvalidHandle = 1,
    kFtDeviceNotFound = 2,
    kFtDeviceNotOpened = 3,
    kFtIoError = 4,
    kFtInsufficientResources = 5,
    kFtInvalidParameter = 6,
    kFtInvalidBaudRate = 7,
    kFtDeviceNotOpenedForErase = 8,
    kFtDeviceNotOpenedForWrite = 9,
    kFtFailedToWriteDevice = 10,
    kFtEepromReadFailed = 11,
    kFtEepromWriteFailed = 12,
    kFtEepromEraseFailed = 13,
    kFtEepromNotPresent = 14,
    kFtEepromNotProgrammed = 15,
    kFtInvalidArgs = 16,
    kFtOtherError = 17,
};

// Line codes of the converter library.
enum : std::uint8_t { kFtBits7 = 7, kFtBits8 = 8 };
enum : std::uint8_t { kFtStopBits1 = 0, kFtStopBits2 = 2 };
enum : std::uint8_t { kFtParityNone = 0, kFtParityOdd = 1, kFtParityEven = 2, kFtParityMark = 3, kFtParitySpace = 4 };
enum : std::uint16_t { kFtFlowNone = 0x0000, kFtFlowRtsCts = 0x0100, kFtFlowDtrDsr = 0x0200, kFtFlowXonXoff = 0x0400 };

// A converter's serial number as the listing call returns it: zero-terminated, at most 16 bytes.
using FtSerialBuffer = std::array<char, 16>;

class ConverterLibrary {
public:
    virtual ~ConverterLibrary() = default;

    // Listing: the number of converters, and the serial number of the one at an index.
    virtual FtStatus CountDevices(std::uint32_t& count) = 0;
    virtual FtStatus SerialNumberByIndex(std::int32_t index, FtSerialBuffer& serial) = 0;

    virtual FtStatus OpenBySerialNumber(const char* serial, FtHandle& handle) = 0;
    virtual FtStatus Close(FtHandle handle) = 0;
    // Read and write wait up to the time-outs set; fewer bytes than asked is a time-out.
    virtual FtStatus Read(FtHandle handle, std::uint8_t* buffer, std::uint32_t n, std::uint32_t& count) = 0;
    virtual FtStatus Write(FtHandle handle, const std::uint8_t* buffer, std::uint32_t n, std::uint32_t& count) = 0;
    // With true, ends at once the Read another thread waits in, and every later one, with
    // what has arrived: the program is closing and an exchange of the connection monitor's
    // must not hold it up for its time-out. With false, reads wait their time-outs again.
    // Safe to call from any thread.
    virtual void AbandonWaits(bool abandon) = 0;
    virtual FtStatus SetBaudRate(FtHandle handle, std::uint32_t baud_rate) = 0;
    virtual FtStatus SetDataCharacteristics(FtHandle handle, std::uint8_t word_length, std::uint8_t stop_bits,
                                            std::uint8_t parity) = 0;
    virtual FtStatus SetFlowControl(FtHandle handle, std::uint16_t flow, std::uint8_t xon, std::uint8_t xoff) = 0;
    virtual FtStatus SetTimeouts(FtHandle handle, std::uint32_t read_ms, std::uint32_t write_ms) = 0;

    // The COM port lookup is optional: a library without it returns false here.
    virtual bool HasComPortLookup() const = 0;
    virtual FtStatus GetComPortNumber(FtHandle handle, std::int32_t& port) = 0;
};

}  // namespace orvel
