#include "tests/support/kpx2_binding.h"

#include <dlfcn.h>
#include <filesystem>
#include <stdexcept>
#include <stdlib.h>
#include <unistd.h>

namespace kpx2::test {

namespace {

template <typename F>
void Bind(void* handle, const char* name, F& function)
{
    function = reinterpret_cast<F>(dlsym(handle, name));
    if (function == nullptr) throw std::runtime_error(std::string("libkpx2.so has no ") + name);
}

Kpx2Functions BindAll(void* handle)
{
    if (handle == nullptr) throw std::runtime_error(std::string("dlopen: ") + dlerror());
    Kpx2Functions f{};
    Bind(handle, "_LFP_ZainicjowanieTypuIWersjiZPlikuBIN", f.ZainicjowanieTypuIWersjiZPlikuBIN);
    Bind(handle, "_LFP_ZainicjowanieNumeruPortu", f.ZainicjowanieNumeruPortu);
    Bind(handle, "_LFP_PytanieOTypIWersjeUrzadzenia", f.PytanieOTypIWersjeUrzadzenia);
    Bind(handle, "_LFP_PrzelaczenieUrzadzeniaDoLoadera", f.PrzelaczenieUrzadzeniaDoLoadera);
    Bind(handle, "_LFP_KasowanieFlashaWUrzadzeniu", f.KasowanieFlashaWUrzadzeniu);
    Bind(handle, "_LFP_ZapisanieBlokuDanychWUrzadzeniu", f.ZapisanieBlokuDanychWUrzadzeniu);
    Bind(handle, "_LFP_PrzeliczenieCRCFlashaWUrzadzeniu", f.PrzeliczenieCRCFlashaWUrzadzeniu);
    Bind(handle, "_LFP_OdinicjowanieTypuIWersjiZPlikuINumeruPortu", f.OdinicjowanieTypuIWersjiZPlikuINumeruPortu);
    Bind(handle, "_LFP_UstalenieTekstuOpisujacegoBlad", f.UstalenieTekstuOpisujacegoBlad);
    Bind(handle, "_LFP_WartoscNumeruBledu", f.WartoscNumeruBledu);
    Bind(handle, "_LFP_ZainicjowaniePortuSzeregowego", f.ZainicjowaniePortuSzeregowego);
    Bind(handle, "_LFP_PoslanieBajtu", f.PoslanieBajtu);
    Bind(handle, "_LFP_WykonanieBreaka20ms", f.WykonanieBreaka20ms);
    Bind(handle, "_LFP_SerwisowePrzestawienieSzybkosciTransmisjiNa9600",
         f.SerwisowePrzestawienieSzybkosciTransmisjiNa9600);
    Bind(handle, "_LFP_UstalenieMaksymalnejSzybkosciTransmisji", f.UstalenieMaksymalnejSzybkosciTransmisji);
    Bind(handle, "_LFP_PrzestawienieSzybkosciTransmisjiNaMaksymalna", f.PrzestawienieSzybkosciTransmisjiNaMaksymalna);
    Bind(handle, "_LFP_ZapisanieBlokuDanychWBajtachDoPoslania", f.ZapisanieBlokuDanychWBajtachDoPoslania);
    Bind(handle, "_LFP_ZapisanieBlokuDanychWPlikuH", f.ZapisanieBlokuDanychWPlikuH);
    Bind(handle, "_UstawieniePozostawiacOtwartyPortSzeregowy", f.UstawieniePozostawiacOtwartyPortSzeregowy);
    Bind(handle, "__StdUstawieniePozostawiacOtwartyPortSzeregowy", f.StdUstawieniePozostawiacOtwartyPortSzeregowy);
    Bind(handle, "GetSpeed", f.GetSpeed);
    Bind(handle, "GetCOMHandle", f.GetCOMHandle);
    Bind(handle, "WriteByte", f.WriteByte);
    return f;
}

}  // namespace

const Kpx2Functions& Kpx2()
{
    // Never closed: the library stays for the whole program, as in the editor.
    static const Kpx2Functions functions = BindAll(dlopen(KPX2_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL));
    return functions;
}

FreshKpx2::FreshKpx2()
{
    namespace fs = std::filesystem;
    copy_ = (fs::temp_directory_path() / ("kpx2-fresh-" + std::to_string(getpid()) + ".so")).string();
    fs::copy_file(KPX2_LIBRARY_PATH, copy_, fs::copy_options::overwrite_existing);
    handle_ = dlopen(copy_.c_str(), RTLD_NOW | RTLD_LOCAL);
    functions_ = BindAll(handle_);
}

FreshKpx2::~FreshKpx2()
{
    if (handle_ != nullptr) dlclose(handle_);
    std::error_code ignored;
    std::filesystem::remove(copy_, ignored);
}

void ResetLibrary(const Kpx2Functions& library)
{
    library.UstawieniePozostawiacOtwartyPortSzeregowy(0);
    library.OdinicjowanieTypuIWersjiZPlikuINumeruPortu();
    library.WartoscNumeruBledu(0);
}

}  // namespace kpx2::test
