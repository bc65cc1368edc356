// The threaded variant of the serial port library, for the editor: each open port has an
// event-watching thread and a write/read thread; WriteByte and ReadByte hand the byte to
// the write/read thread and block the caller until the transfer has ended (within the
// port's time-outs, or at once when the port is closed meanwhile). One calling thread at a
// time. Failures also leave a Polish text and a code in the last-error slot (IsError).
// Results as in zudedize.h.
//
// The editor's serial-port transport:
//   InitializePort(port, 9600, 2, 2) == 0   open, 2 s write and read time-outs
//   WriteByte(b) == 1                        sent
//   ReadByte(b) == 1                         received into b
//   UnInitializePort()                       close
#pragma once

#include <cstdint>
#include <string>

namespace zudedize::threaded {

// Time-outs in whole seconds, kept as 0 to 65535.
std::int32_t InitializePort(std::uint8_t port, std::int32_t baud, std::int32_t write_timeout_s,
                            std::int32_t read_timeout_s);
std::int32_t pInitializePort(std::uint8_t port, std::int32_t baud, std::int32_t write_timeout_s,
                             std::int32_t read_timeout_s, std::uint8_t parity);
std::int32_t UnInitializePort();

std::int32_t WriteByte(std::uint8_t value);
std::int32_t ReadByte(std::uint8_t& value);
bool TimeOut();
bool CharSent();
std::int32_t ClearPort();

bool ChangeSpeedZudedize(std::int32_t baud);
bool ChangeParity(std::uint8_t parity);
bool MsSetTimeouts(std::int32_t write_ms, std::int32_t read_ms);
void UstawCTS(std::uint8_t cts);
bool SetDTRLine();
bool ClearDTRLine();
bool SetRTSLine();
bool ClearRTSLine();
bool UstawKanalZudedize(std::uint8_t pattern);
std::uint8_t ModemStatus();

void SetComSelector(std::uint8_t slot);
std::uint8_t GetComSelector();
std::uint8_t GetCOMNumber(std::uint8_t slot);
std::intptr_t GetCOMHandle(std::uint8_t slot);
std::int32_t GetSpeed(std::uint8_t slot);
bool SerialPortPresent(std::uint8_t port);
std::string PIPAdress(std::uint8_t port);

// The last error into a 52-byte buffer (see zudedize.h), or whole.
bool IsError(char* text, std::int32_t* code);
bool IsError(std::string& text, std::int32_t& code);

}  // namespace zudedize::threaded
