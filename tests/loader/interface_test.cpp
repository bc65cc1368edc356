// libkpx2.so's interface, bound by name: what it exports, the sticky error code, the calling
// order, the texts.
#include <cstring>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "loader/built_in_image.h"
#include "tests/support/exported_symbols.h"
#include "tests/support/kpx2_binding.h"

namespace kpx2::test {
namespace {

constexpr int kInterfacePort = 45;

std::string TextOf(const Kpx2Functions& library, std::uint8_t code)
{
    char buffer[256];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(library.UstalenieTekstuOpisujacegoBlad(code, buffer), buffer);
    return buffer;
}

class Interface : public ::testing::Test {
protected:
    void SetUp() override { ResetLibrary(lib); }
    void TearDown() override { ResetLibrary(lib); }

    // The current error code, without changing it (every step returns it at once when set).
    std::uint8_t CurrentCode() const { return lib.OdinicjowanieTypuIWersjiZPlikuINumeruPortu(); }

    const Kpx2Functions& lib = Kpx2();
};

TEST(Exports, LibraryExportsExactlyItsCNamesAndTheSerialFunctions)
{
    std::set<std::string> expected;
    std::stringstream names(KPX2_EXPORTED_NAMES);
    for (std::string name; std::getline(names, name, ',');) expected.insert(name);
    EXPECT_EQ(expected.size(), 20u + 29u);

    EXPECT_EQ(orvel::testing::DefinedDynamicSymbols(KPX2_LIBRARY_PATH), expected);
}

TEST_F(Interface, ImageInitialisationDescribesTheBuiltInImage)
{
    char file_name[256] = "ignored.bin";
    std::uint8_t type = 0;
    char name[256];
    char version[256];
    std::memset(name, 'x', sizeof name);
    std::memset(version, 'x', sizeof version);
    std::int32_t count = 0;
    EXPECT_EQ(lib.ZainicjowanieTypuIWersjiZPlikuBIN(file_name, &type, name, version, &count), 0);
    const FirmwareImage& image = BuiltInImage();
    EXPECT_EQ(type, image.device_type);
    EXPECT_EQ(name, std::string(image.device_name));
    EXPECT_EQ(version, std::string(image.version));
    EXPECT_EQ(name[6], 'x');  // six bytes and no more
    EXPECT_EQ(version[5], 'x');
    EXPECT_EQ(count, 89);

    // Null pointers are left alone.
    EXPECT_EQ(lib.ZainicjowanieTypuIWersjiZPlikuBIN(nullptr, nullptr, nullptr, nullptr, nullptr), 0);
}

TEST_F(Interface, CallingOrderAndTheStickyCode)
{
    std::uint8_t out[5] = {};
    // Query before the image: 203. Anything opening the port before the port number: 204.
    EXPECT_EQ(lib.PytanieOTypIWersjeUrzadzenia(&out[0], &out[1], &out[2], &out[3], &out[4]), 203);
    EXPECT_EQ(lib.WykonanieBreaka20ms(), 203);  // sticky: returned at once
    EXPECT_EQ(lib.ZainicjowanieTypuIWersjiZPlikuBIN(nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(lib.WykonanieBreaka20ms(), 204);
    EXPECT_EQ(lib.KasowanieFlashaWUrzadzeniu(), 204);
    EXPECT_EQ(lib.ZapisanieBlokuDanychWBajtachDoPoslania(0), 204);

    // The port-number call resets the code; sending on a port that is not open: 205.
    EXPECT_EQ(lib.ZainicjowanieNumeruPortu(kInterfacePort), 0);
    EXPECT_EQ(lib.PoslanieBajtu(0x1FF), 205);
    EXPECT_EQ(TextOf(lib, 205), "COM45 serial port not initialized");
    EXPECT_EQ(CurrentCode(), 0);  // reading the text cleared it

    // A port that does not exist: 62, and de-initialisation keeps it.
    ScopedEnvironment nowhere(PortVariable(kInterfacePort), "/nonexistent/kpx2-port");
    EXPECT_EQ(lib.ZainicjowanieNumeruPortu(kInterfacePort), 0);
    EXPECT_EQ(lib.UstalenieMaksymalnejSzybkosciTransmisji(), 62);  // only "no answer" falls back
    EXPECT_EQ(lib.PrzeliczenieCRCFlashaWUrzadzeniu(), 62);
    EXPECT_EQ(lib.OdinicjowanieTypuIWersjiZPlikuINumeruPortu(), 62);
    EXPECT_EQ(lib.OdinicjowanieTypuIWersjiZPlikuINumeruPortu(), 62);
    EXPECT_EQ(TextOf(lib, 62), "impossible to initialize COM45 serial port");

    // De-initialisation forgot the image and the port number.
    EXPECT_EQ(lib.PytanieOTypIWersjeUrzadzenia(nullptr, nullptr, nullptr, nullptr, nullptr), 203);
    EXPECT_EQ(lib.ZainicjowanieTypuIWersjiZPlikuBIN(nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(lib.ZainicjowaniePortuSzeregowego(kInterfacePort, 9600, 1, 1), 204);
}

TEST_F(Interface, ErrorNumbersSetTheirCodes)
{
    EXPECT_EQ(lib.WartoscNumeruBledu(79), 102);
    EXPECT_EQ(CurrentCode(), 102);
    EXPECT_EQ(lib.WartoscNumeruBledu(0), 0);
    EXPECT_EQ(CurrentCode(), 0);
    EXPECT_EQ(lib.WartoscNumeruBledu(20), 20);  // no line error behind it
    EXPECT_EQ(lib.WartoscNumeruBledu(255), 255);
    EXPECT_EQ(TextOf(lib, 255), "operation aborted by user");

    // Both initialisers succeed right after a failure.
    lib.WartoscNumeruBledu(21);
    EXPECT_EQ(lib.ZainicjowanieNumeruPortu(3), 0);
    lib.WartoscNumeruBledu(21);
    EXPECT_EQ(lib.ZainicjowanieTypuIWersjiZPlikuBIN(nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(TextOf(lib, 206), "incorrect device type on COM3 (program works only with KPX-2)");
    EXPECT_EQ(CurrentCode(), 0);
    EXPECT_EQ(lib.UstalenieTekstuOpisujacegoBlad(0, nullptr), nullptr);
}

TEST_F(Interface, BlockIndexOutsideTheImageIsRefused)
{
    EXPECT_EQ(lib.ZapisanieBlokuDanychWBajtachDoPoslania(88), 0);
    EXPECT_EQ(lib.ZapisanieBlokuDanychWBajtachDoPoslania(89), 210);
    EXPECT_EQ(TextOf(lib, 210), "block number outside the firmware image");
    EXPECT_EQ(lib.ZapisanieBlokuDanychWBajtachDoPoslania(-1), 210);
    lib.WartoscNumeruBledu(0);
    EXPECT_EQ(lib.ZapisanieBlokuDanychWBajtachDoPoslania(INT32_MIN), 210);
}

TEST(FreshLibrary, StartsWithPortOneAndNothingInitialised)
{
    FreshKpx2 fresh;
    char buffer[256];
    EXPECT_STREQ(fresh->UstalenieTekstuOpisujacegoBlad(62, buffer), "impossible to initialize COM1 serial port");
    EXPECT_EQ(fresh->PytanieOTypIWersjeUrzadzenia(nullptr, nullptr, nullptr, nullptr, nullptr), 203);
    EXPECT_EQ(fresh->GetSpeed(1), 0);
}

}  // namespace
}  // namespace kpx2::test
