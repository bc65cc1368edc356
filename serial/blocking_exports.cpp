// The C names of the blocking variant, for the shared library that carries it. Each one
// only passes its call on; the implementation stays hidden.
#include "zudedize/blocking_api.h"
#include "zudedize/zudedize.h"

namespace b = zudedize::blocking;

extern "C" {

int32_t InitializePort(uint8_t port, int32_t baud, int32_t w, int32_t r)
{
    return b::InitializePort(port, baud, w, r);
}
int32_t pInitializePort(uint8_t port, int32_t baud, int32_t w, int32_t r, uint8_t parity)
{
    return b::pInitializePort(port, baud, w, r, parity);
}
int32_t pInitializeAnyPort(const char* path, uint8_t port, uint8_t cts, int32_t baud, uint8_t parity,
                           int32_t stop_bits_code, int32_t data_bits, int32_t w, int32_t r)
{
    return b::pInitializeAnyPort(path != nullptr ? path : "", port, cts, baud, parity, stop_bits_code, data_bits, w, r);
}
int32_t pInitializeLPTPort(uint8_t port, int32_t baud, int32_t w, int32_t r)
{
    return b::pInitializeLPTPort(port, baud, w, r);
}
int32_t SetSerialParameters(void)
{
    return b::SetSerialParameters();
}
int32_t UnInitializePort(void)
{
    return b::UnInitializePort();
}

int32_t WriteByte(uint8_t value)
{
    return b::WriteByte(value);
}
int32_t ReadByte(uint8_t* value)
{
    return value != nullptr ? b::ReadByte(*value) : 0;
}
int32_t WriteBytes(const uint8_t* buffer, uint8_t count)
{
    return b::WriteBytes(buffer, count);
}
bool CharSent(void)
{
    return b::CharSent();
}
int32_t ClearPort(void)
{
    return b::ClearPort();
}

bool ChangeSpeedZudedize(int32_t baud)
{
    return b::ChangeSpeedZudedize(baud);
}
bool ChangeParity(uint8_t parity)
{
    return b::ChangeParity(parity);
}
bool MsSetTimeouts(int32_t write_ms, int32_t read_ms)
{
    return b::MsSetTimeouts(write_ms, read_ms);
}
void UstawCTS(uint8_t cts)
{
    b::UstawCTS(cts);
}
bool SetDTRLine(void)
{
    return b::SetDTRLine();
}
bool ClearDTRLine(void)
{
    return b::ClearDTRLine();
}
bool SetRTSLine(void)
{
    return b::SetRTSLine();
}
bool ClearRTSLine(void)
{
    return b::ClearRTSLine();
}
bool UstawKanalZudedize(uint8_t pattern)
{
    return b::UstawKanalZudedize(pattern);
}
uint8_t ModemStatus(void)
{
    return b::ModemStatus();
}
void SetPortDelay(uint8_t milliseconds)
{
    b::SetPortDelay(milliseconds);
}

void SetComSelector(uint8_t slot)
{
    b::SetComSelector(slot);
}
uint8_t GetComSelector(uint8_t* slot)
{
    const uint8_t selector = b::GetComSelector();
    if (slot != nullptr) *slot = selector;
    return selector;
}
void GetCOMNumber(uint8_t slot, uint8_t* number)
{
    if (number != nullptr) *number = b::GetCOMNumber(slot);
}
intptr_t GetCOMHandle(uint8_t slot)
{
    return b::GetCOMHandle(slot);
}
int32_t GetSpeed(uint8_t slot)
{
    return b::GetSpeed(slot);
}
bool SerialPortPresent(uint8_t port)
{
    return b::SerialPortPresent(port);
}
const char* PIPAdress(uint8_t port)
{
    static std::string address;
    address = b::PIPAdress(port);
    return address.c_str();
}

}  // extern "C"
