// The C names kpx2 exports; each only passes its call on.
#include "loader/header_export.h"
#include "loader/kpx2.h"
#include "loader/library_interface.h"
#include "loader/port_control.h"
#include "loader/protocol_steps.h"

namespace k = kpx2;

extern "C" {

uint8_t _LFP_WartoscNumeruBledu(uint8_t number)
{
    return k::SetErrorNumber(number);
}

uint8_t _LFP_ZainicjowanieTypuIWersjiZPlikuBIN(const char* /*fileName*/, uint8_t* outType, char* outName,
                                               char* outVersion, int32_t* outCount)
{
    return k::InitialiseImage({outType, outName, outVersion, outCount});
}

uint8_t _LFP_ZainicjowanieNumeruPortu(uint8_t port)
{
    return k::InitialisePortNumber(port);
}

uint8_t _LFP_OdinicjowanieTypuIWersjiZPlikuINumeruPortu(void)
{
    return k::Deinitialise();
}

char* _LFP_UstalenieTekstuOpisujacegoBlad(uint8_t code, char* buffer)
{
    return k::DescribeError(code, buffer);
}

void _UstawieniePozostawiacOtwartyPortSzeregowy(uint8_t leaveOpen)
{
    k::SetLeavePortOpen(leaveOpen);
}

void KPX2_STDCALL __StdUstawieniePozostawiacOtwartyPortSzeregowy(uint32_t leaveOpen)
{
    k::SetLeavePortOpen(static_cast<uint8_t>(leaveOpen & 0xFF));
}

uint8_t _LFP_ZainicjowaniePortuSzeregowego(uint8_t port, int32_t speed, int32_t writeTimeout, int32_t readTimeout)
{
    return k::OpenPort(port, speed, writeTimeout, readTimeout);
}

uint8_t _LFP_PoslanieBajtu(int32_t value)
{
    return k::SendByte(static_cast<uint8_t>(value & 0xFF));
}

uint8_t _LFP_WykonanieBreaka20ms(void)
{
    return k::SendBreak();
}

uint8_t _LFP_SerwisowePrzestawienieSzybkosciTransmisjiNa9600(void)
{
    return k::SwitchToServiceSpeed();
}

uint8_t _LFP_UstalenieMaksymalnejSzybkosciTransmisji(void)
{
    return k::QueryMaximumSpeed();
}

uint8_t _LFP_PrzestawienieSzybkosciTransmisjiNaMaksymalna(void)
{
    return k::SwitchToMaximumSpeed();
}

uint8_t _LFP_PytanieOTypIWersjeUrzadzenia(uint8_t* outType, uint8_t* outMajor, uint8_t* outMinor, uint8_t* outRevision,
                                          uint8_t* outLoaderFlag)
{
    return k::QueryTypeAndVersion({outType, outMajor, outMinor, outRevision, outLoaderFlag});
}

uint8_t _LFP_PrzelaczenieUrzadzeniaDoLoadera(void)
{
    return k::SwitchToLoader();
}

uint8_t _LFP_KasowanieFlashaWUrzadzeniu(void)
{
    return k::EraseFlash();
}

uint8_t _LFP_ZapisanieBlokuDanychWUrzadzeniu(int32_t blockIndex)
{
    return k::WriteBlock(blockIndex);
}

uint8_t _LFP_PrzeliczenieCRCFlashaWUrzadzeniu(void)
{
    return k::RecomputeFlashCrc();
}

uint8_t _LFP_ZapisanieBlokuDanychWBajtachDoPoslania(int32_t blockIndex)
{
    return k::BuildBlockPayload(blockIndex);
}

uint8_t _LFP_ZapisanieBlokuDanychWPlikuH(const char* fileName, int32_t blockIndex)
{
    return k::ExportHeaderBlock(fileName, blockIndex);
}

}  // extern "C"
