// The C names of the threaded variant, for the program that carries it (the editor
// exports them). Each one only passes its call on; the implementation stays hidden.
#include "zudedize/threaded_api.h"
#include "zudedize/zudedize.h"

namespace t = zudedize::threaded;

extern "C" {

int32_t InitializePort(uint8_t port, int32_t baud, int32_t w, int32_t r)
{
    return t::InitializePort(port, baud, w, r);
}
int32_t pInitializePort(uint8_t port, int32_t baud, int32_t w, int32_t r, uint8_t parity)
{
    return t::pInitializePort(port, baud, w, r, parity);
}
int32_t UnInitializePort(void)
{
    return t::UnInitializePort();
}

int32_t WriteByte(uint8_t value)
{
    return t::WriteByte(value);
}
int32_t ReadByte(uint8_t* value)
{
    return value != nullptr ? t::ReadByte(*value) : 0;
}
bool TimeOut(void)
{
    return t::TimeOut();
}
bool CharSent(void)
{
    return t::CharSent();
}
int32_t ClearPort(void)
{
    return t::ClearPort();
}

bool ChangeSpeedZudedize(int32_t baud)
{
    return t::ChangeSpeedZudedize(baud);
}
bool ChangeParity(uint8_t parity)
{
    return t::ChangeParity(parity);
}
bool MsSetTimeouts(int32_t write_ms, int32_t read_ms)
{
    return t::MsSetTimeouts(write_ms, read_ms);
}
void UstawCTS(uint8_t cts)
{
    t::UstawCTS(cts);
}
bool SetDTRLine(void)
{
    return t::SetDTRLine();
}
bool ClearDTRLine(void)
{
    return t::ClearDTRLine();
}
bool SetRTSLine(void)
{
    return t::SetRTSLine();
}
bool ClearRTSLine(void)
{
    return t::ClearRTSLine();
}
bool UstawKanalZudedize(uint8_t pattern)
{
    return t::UstawKanalZudedize(pattern);
}
uint8_t ModemStatus(void)
{
    return t::ModemStatus();
}

void SetComSelector(uint8_t slot)
{
    t::SetComSelector(slot);
}
uint8_t GetComSelector(uint8_t* slot)
{
    const uint8_t selector = t::GetComSelector();
    if (slot != nullptr) *slot = selector;
    return selector;
}
void GetCOMNumber(uint8_t slot, uint8_t* number)
{
    if (number != nullptr) *number = t::GetCOMNumber(slot);
}
intptr_t GetCOMHandle(uint8_t slot)
{
    return t::GetCOMHandle(slot);
}
int32_t GetSpeed(uint8_t slot)
{
    return t::GetSpeed(slot);
}
bool SerialPortPresent(uint8_t port)
{
    return t::SerialPortPresent(port);
}
const char* PIPAdress(uint8_t port)
{
    static std::string address;
    address = t::PIPAdress(port);
    return address.c_str();
}

bool IsError(char* text, int32_t* code)
{
    return t::IsError(text, code);
}

}  // extern "C"
