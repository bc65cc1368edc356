// The blocking variant of the serial port library, for the loader library: every call
// runs on the caller's thread and blocks within the port's time-outs; no threads, no
// locks, not re-entrant. Results as in zudedize.h.
#pragma once

#include <cstdint>
#include <string>

namespace zudedize::blocking {

std::int32_t InitializePort(std::uint8_t port, std::int32_t baud, std::int32_t write_timeout_s,
                            std::int32_t read_timeout_s);
std::int32_t pInitializePort(std::uint8_t port, std::int32_t baud, std::int32_t write_timeout_s,
                             std::int32_t read_timeout_s, std::uint8_t parity);
std::int32_t pInitializeAnyPort(const std::string& path, std::uint8_t port, std::uint8_t cts, std::int32_t baud,
                                std::uint8_t parity, std::int32_t stop_bits_code, std::int32_t data_bits,
                                std::int32_t write_timeout_s, std::int32_t read_timeout_s);
std::int32_t pInitializeLPTPort(std::uint8_t port, std::int32_t baud, std::int32_t write_timeout_s,
                                std::int32_t read_timeout_s);
std::int32_t SetSerialParameters();
std::int32_t UnInitializePort();

std::int32_t WriteByte(std::uint8_t value);
std::int32_t WriteBytes(const std::uint8_t* buffer, std::uint8_t count);
std::int32_t ReadByte(std::uint8_t& value);
bool CharSent();
std::int32_t ClearPort();

// The line errors that made the last failed WriteBytes or ReadByte fail; all clear after a
// transfer that worked or simply timed out.
struct LineErrorFlags {
    bool overrun = false;
    bool parity = false;
    bool framing = false;
};
LineErrorFlags LineErrors();

bool ChangeSpeedZudedize(std::int32_t baud);
bool ChangeParity(std::uint8_t parity);
bool MsSetTimeouts(std::int32_t write_ms, std::int32_t read_ms);
// Stores the CTS flag as the setting of the next open and in the current slot (used by the
// next SetSerialParameters).
void UstawCTS(std::uint8_t cts);
bool SetDTRLine();
bool ClearDTRLine();
bool SetRTSLine();
bool ClearRTSLine();
bool UstawKanalZudedize(std::uint8_t pattern);
std::uint8_t ModemStatus();
void SetPortDelay(std::uint8_t milliseconds);
std::uint8_t PortDelay();

void SetComSelector(std::uint8_t slot);
std::uint8_t GetComSelector();
std::uint8_t GetCOMNumber(std::uint8_t slot);
std::intptr_t GetCOMHandle(std::uint8_t slot);
std::int32_t GetSpeed(std::uint8_t slot);
bool SerialPortPresent(std::uint8_t port);
std::string PIPAdress(std::uint8_t port);

}  // namespace zudedize::blocking
