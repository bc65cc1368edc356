#include "device/converter/d2xx_unit.h"

#include <algorithm>
#include <array>

namespace orvel {

namespace {

constexpr std::array<const char*, 18> kStatusTexts = {
    "",  // 0: success, never shown
    " - Invalid handle...",
    " - Device not found...",
    " - Device not opened...",
    " - General IO error...",
    " - Insufficient resources...",
    " - Invalid parameter...",
    " - Invalid baud rate...",
    " Device not opened for erase...",
    " Device not opened for write...",
    " - Failed to write...",
    " - EEPROM read failed...",
    " - EEPROM write failed...",
    " - EEPROM erase failed...",
    " - EEPROM not present...",
    " - EEPROM not programmed...",
    " - Invalid arguments...",
    " - Other error ...",
};

std::uint32_t ByteCount(std::int32_t n)
{
    return static_cast<std::uint32_t>(std::clamp<std::int32_t>(n, 0, static_cast<std::int32_t>(D2XXUnit::kBufferSize)));
}

}  // namespace

std::string DeviceStatusText(FtStatus status)
{
    if (status < kStatusTexts.size()) return kStatusTexts[status];
    return " - Unknown error (status " + std::to_string(status) + ")...";
}

D2XXUnit::D2XXUnit(ConverterLibrary& library, UserMessages& messages)
    : library_(library), messages_(messages), input_(kBufferSize), output_(kBufferSize)
{
}

void D2XXUnit::SetLineParameters()
{
    line_ = UsbLineParameters{};
}

void D2XXUnit::ReportDeviceError(const std::string& label, FtStatus status)
{
    if (status == kFtOk) return;
    messages_.ShowMessage(MessageIcon::Error, "Error", label + DeviceStatusText(status));
}

FtStatus D2XXUnit::Reported(const char* label, FtStatus status)
{
    ReportDeviceError(label, status);
    return status;
}

FtStatus D2XXUnit::GetFTDeviceCount()
{
    return Reported("GetFTDeviceCount", library_.CountDevices(device_count_));
}

FtStatus D2XXUnit::GetSerialNumberByIndex(std::int32_t index)
{
    FtSerialBuffer buffer{};
    const FtStatus status = library_.SerialNumberByIndex(index, buffer);
    if (status == kFtOk) {
        last_serial_raw_ = buffer;
        const auto end = std::find(buffer.begin(), buffer.end(), '\0');
        last_serial_.assign(buffer.begin(), end);
    }
    return status;
}

void D2XXUnit::ClearLastListedSerial()
{
    last_serial_raw_.fill('\0');
    last_serial_.clear();
}

FtStatus D2XXUnit::OpenBySerialNumber(const std::string& serial)
{
    open_serial_ = serial.substr(0, std::min(serial.size(), kMaxSerialLength));
    return library_.OpenBySerialNumber(open_serial_.c_str(), handle_);
}

FtStatus D2XXUnit::CloseDevice()
{
    const FtStatus status = library_.Close(handle_);
    handle_ = 0;
    return status;
}

std::int32_t D2XXUnit::ReadDeviceBytes(std::int32_t n)
{
    std::uint32_t count = 0;
    last_io_status_ = library_.Read(handle_, input_.data(), ByteCount(n), count);
    return static_cast<std::int32_t>(count);
}

std::int32_t D2XXUnit::WriteDeviceBytes(std::int32_t n)
{
    std::uint32_t count = 0;
    last_io_status_ = library_.Write(handle_, output_.data(), ByteCount(n), count);
    return static_cast<std::int32_t>(count);
}

FtStatus D2XXUnit::SetDeviceBaudRate()
{
    return Reported("FT_SetBaudRate", library_.SetBaudRate(handle_, line_.baud_rate));
}

FtStatus D2XXUnit::SetDeviceDataCharacteristics()
{
    return Reported("FT_SetDataCharacteristics",
                    library_.SetDataCharacteristics(handle_, line_.word_length, line_.stop_bits, line_.parity));
}

FtStatus D2XXUnit::SetDeviceFlowControl()
{
    return Reported("FT_SetFlowControl", library_.SetFlowControl(handle_, line_.flow_control, line_.xon, line_.xoff));
}

FtStatus D2XXUnit::SetDeviceTimeouts(std::int32_t read_ms, std::int32_t write_ms)
{
    const auto non_negative = [](std::int32_t ms) { return static_cast<std::uint32_t>(std::max(ms, 0)); };
    return Reported("FT_SetTimeouts", library_.SetTimeouts(handle_, non_negative(read_ms), non_negative(write_ms)));
}

FtStatus D2XXUnit::GetDeviceComPortNumber(std::int32_t& port)
{
    port = 0;
    if (!library_.HasComPortLookup()) return kFtOk;
    return library_.GetComPortNumber(handle_, port);
}

}  // namespace orvel
