// libkpx2.so opened with dlopen and its functions bound by name, as the editor binds them.
#pragma once

#include <string>

#include "loader/kpx2.h"
#include "tests/support/scoped_environment.h"
#include "zudedize/zudedize.h"

namespace kpx2::test {

struct Kpx2Functions {
    // The nine the editor uses.
    decltype(&_LFP_ZainicjowanieTypuIWersjiZPlikuBIN) ZainicjowanieTypuIWersjiZPlikuBIN;
    decltype(&_LFP_ZainicjowanieNumeruPortu) ZainicjowanieNumeruPortu;
    decltype(&_LFP_PytanieOTypIWersjeUrzadzenia) PytanieOTypIWersjeUrzadzenia;
    decltype(&_LFP_PrzelaczenieUrzadzeniaDoLoadera) PrzelaczenieUrzadzeniaDoLoadera;
    decltype(&_LFP_KasowanieFlashaWUrzadzeniu) KasowanieFlashaWUrzadzeniu;
    decltype(&_LFP_ZapisanieBlokuDanychWUrzadzeniu) ZapisanieBlokuDanychWUrzadzeniu;
    decltype(&_LFP_PrzeliczenieCRCFlashaWUrzadzeniu) PrzeliczenieCRCFlashaWUrzadzeniu;
    decltype(&_LFP_OdinicjowanieTypuIWersjiZPlikuINumeruPortu) OdinicjowanieTypuIWersjiZPlikuINumeruPortu;
    decltype(&_LFP_UstalenieTekstuOpisujacegoBlad) UstalenieTekstuOpisujacegoBlad;
    // The others.
    decltype(&_LFP_WartoscNumeruBledu) WartoscNumeruBledu;
    decltype(&_LFP_ZainicjowaniePortuSzeregowego) ZainicjowaniePortuSzeregowego;
    decltype(&_LFP_PoslanieBajtu) PoslanieBajtu;
    decltype(&_LFP_WykonanieBreaka20ms) WykonanieBreaka20ms;
    decltype(&_LFP_SerwisowePrzestawienieSzybkosciTransmisjiNa9600) SerwisowePrzestawienieSzybkosciTransmisjiNa9600;
    decltype(&_LFP_UstalenieMaksymalnejSzybkosciTransmisji) UstalenieMaksymalnejSzybkosciTransmisji;
    decltype(&_LFP_PrzestawienieSzybkosciTransmisjiNaMaksymalna) PrzestawienieSzybkosciTransmisjiNaMaksymalna;
    decltype(&_LFP_ZapisanieBlokuDanychWBajtachDoPoslania) ZapisanieBlokuDanychWBajtachDoPoslania;
    decltype(&_LFP_ZapisanieBlokuDanychWPlikuH) ZapisanieBlokuDanychWPlikuH;
    decltype(&_UstawieniePozostawiacOtwartyPortSzeregowy) UstawieniePozostawiacOtwartyPortSzeregowy;
    decltype(&__StdUstawieniePozostawiacOtwartyPortSzeregowy) StdUstawieniePozostawiacOtwartyPortSzeregowy;
    // The library's own serial variant: the speed of the port it holds (0 when closed).
    decltype(&::GetSpeed) GetSpeed;
    decltype(&::GetCOMHandle) GetCOMHandle;
    decltype(&::WriteByte) WriteByte;
};

// The library of the build, opened once for the whole test program. Throws when a name is
// missing.
const Kpx2Functions& Kpx2();

// A copy of the library opened on its own, with every library-wide value as at load.
class FreshKpx2 {
public:
    FreshKpx2();
    ~FreshKpx2();
    FreshKpx2(const FreshKpx2&) = delete;
    FreshKpx2& operator=(const FreshKpx2&) = delete;

    const Kpx2Functions& operator*() const { return functions_; }
    const Kpx2Functions* operator->() const { return &functions_; }

private:
    std::string copy_;
    void* handle_ = nullptr;
    Kpx2Functions functions_{};
};

// Back to a clean start between tests: leave-open off, port closed, both flags and the
// error code cleared.
void ResetLibrary(const Kpx2Functions& library);

using orvel::testing::PortVariable;
using orvel::testing::ScopedEnvironment;

}  // namespace kpx2::test
