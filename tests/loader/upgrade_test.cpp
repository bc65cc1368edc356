// Firmware upgrades and the loader protocol's steps through libkpx2.so against kpx-sim on a
// pseudo-terminal, with the calls bound by name as the editor binds them.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <sys/ioctl.h>
#include <vector>

#include <gtest/gtest.h>

#include "loader/block_payload.h"
#include "loader/built_in_image.h"
#include "loader/loader_constants.h"
#include "sim/simulator.h"
#include "tests/support/kpx2_binding.h"
#include "tests/support/wait_until.h"

namespace kpx2::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

constexpr int kUpgradePort = 42;
constexpr std::uint8_t kSlot = 1;  // the serial library's selector, as the loader leaves it

using orvel::testing::WaitUntil;

// Bytes waiting in the input queue of the device `fd`, or -1.
int InputQueued(int fd)
{
    int queued = 0;
    return ioctl(fd, FIONREAD, &queued) == 0 ? queued : -1;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Bytes kBreak{0x00};
const Bytes kFrameABytes(kFrameA.begin(), kFrameA.end());
const Bytes kFrameBBytes(kFrameB.begin(), kFrameB.end());
const Bytes kTypeQuery{0x1B, 0x4D, 0x03, 0x6A, 0x0A};

struct Answer {
    std::uint8_t type = 0, major = 0, minor = 0, revision = 0, loader_flag = 0;
};

class Upgrade : public ::testing::Test {
protected:
    void SetUp() override { ResetLibrary(lib); }
    void TearDown() override
    {
        ResetLibrary(lib);
        port_mapping.reset();
        sim.reset();
    }

    // A controller whose block payloads have the built-in image's address width.
    void Start(kpxsim::Options options = {})
    {
        options.loader.four_byte_addresses = BuiltInImage().four_byte_addresses;
        port_mapping.reset();
        sim = std::make_unique<kpxsim::Simulator>(options);
        port_mapping = std::make_unique<ScopedEnvironment>(PortVariable(kUpgradePort), sim->SlavePath());
    }

    void Initialise()
    {
        char file_name[256] = {};
        std::uint8_t type = 0;
        char name[256], version[256];
        ASSERT_EQ(lib.ZainicjowanieTypuIWersjiZPlikuBIN(file_name, &type, name, version, &count), 0);
        ASSERT_EQ(lib.ZainicjowanieNumeruPortu(kUpgradePort), 0);
    }

    std::uint8_t Query(Answer& a)
    {
        return lib.PytanieOTypIWersjeUrzadzenia(&a.type, &a.major, &a.minor, &a.revision, &a.loader_flag);
    }

    // The editor's upgrade run with the nine functions it binds; the code of the first failing
    // call (after de-initialisation), 0 on success.
    std::uint8_t RunUpgrade(Answer& answer)
    {
        std::uint8_t code = 0;
        char file_name[256] = {};
        std::uint8_t type = 0;
        char name[256], version[256];
        std::int32_t blocks = 0;
        const auto run = [&] {
            if ((code = lib.ZainicjowanieTypuIWersjiZPlikuBIN(file_name, &type, name, version, &blocks))) return;
            if ((code = lib.ZainicjowanieNumeruPortu(kUpgradePort))) return;
            if ((code = Query(answer))) return;
            if (answer.loader_flag == 0 && (code = lib.PrzelaczenieUrzadzeniaDoLoadera())) return;
            if ((code = lib.KasowanieFlashaWUrzadzeniu())) return;
            for (std::int32_t i = 0; i < static_cast<std::uint16_t>(blocks); ++i)
                if ((code = lib.ZapisanieBlokuDanychWUrzadzeniu(i))) return;
            code = lib.PrzeliczenieCRCFlashaWUrzadzeniu();
        };
        run();
        lib.OdinicjowanieTypuIWersjiZPlikuINumeruPortu();
        return code;
    }

    void ExpectControllerHoldsTheImage()
    {
        const FirmwareImage& image = BuiltInImage();
        for (int block = 0; block < image.block_count; ++block) {
            const auto expected = ImageBlockBytes(image, block);
            const kpxsim::FlashBlock held = sim->ReadFlash(block);
            ASSERT_TRUE(std::equal(held.begin(), held.end(), expected.begin())) << "block " << block;
        }
        kpxsim::FlashBlock erased;
        erased.fill(0xFF);
        EXPECT_EQ(sim->ReadFlash(image.block_count), erased);
    }

    std::string TextOf(std::uint8_t code)
    {
        char buffer[256];
        return lib.UstalenieTekstuOpisujacegoBlad(code, buffer);
    }

    const Kpx2Functions& lib = Kpx2();
    std::unique_ptr<kpxsim::Simulator> sim;
    std::unique_ptr<ScopedEnvironment> port_mapping;
    std::int32_t count = 0;
};

TEST_F(Upgrade, EditorsOrderPutsTheImageIntoTheController)
{
    Start();
    Answer answer;
    ASSERT_EQ(RunUpgrade(answer), 0);
    EXPECT_EQ(answer.type, 0x1F);
    EXPECT_EQ((Bytes{answer.major, answer.minor, answer.revision}), (Bytes{2, 2, 4}));
    EXPECT_EQ(answer.loader_flag, 0);
    ExpectControllerHoldsTheImage();
    EXPECT_FALSE(sim->RunsLoader());    // restarted into its new application
    EXPECT_EQ(lib.GetSpeed(kSlot), 0);  // de-initialisation closed the port

    // On the wire: twice a break and frame A before the query and frame B, then the erase,
    // the blocks with their payloads, the CRC request.
    const Bytes received = sim->Received();
    const Bytes start = Concat(
        {kBreak, kFrameABytes, kTypeQuery, kBreak, kFrameABytes, kFrameBBytes, {0x1B, 0x02, 0x55}, {0x1B, 0x01}});
    ASSERT_GE(received.size(), start.size());
    EXPECT_EQ(Bytes(received.begin(), received.begin() + static_cast<std::ptrdiff_t>(start.size())), start);
    EXPECT_EQ(received.size(), start.size() - 2 + 89 * (2 + PayloadLength(BuiltInImage())) + 3);
    EXPECT_EQ(Bytes(received.end() - 3, received.end()), (Bytes{0x1B, 0x03, 0x55}));
}

TEST_F(Upgrade, ControllerAlreadyInItsLoaderSkipsTheSwitch)
{
    kpxsim::Options options;
    options.loader.runs_loader = true;
    Start(options);
    Answer answer;
    ASSERT_EQ(RunUpgrade(answer), 0);
    EXPECT_EQ(answer.loader_flag, 1);
    ExpectControllerHoldsTheImage();
    const Bytes received = sim->Received();
    EXPECT_EQ(std::search(received.begin(), received.end(), kFrameBBytes.begin(), kFrameBBytes.end()), received.end());
    const Bytes start = Concat({kBreak, kFrameABytes, kTypeQuery, {0x1B, 0x02, 0x55}});
    ASSERT_GE(received.size(), start.size());
    EXPECT_EQ(Bytes(received.begin(), received.begin() + static_cast<std::ptrdiff_t>(start.size())), start);
}

TEST_F(Upgrade, FailureAtBlock40StopsEverythingAfterIt)
{
    Start();
    kpxsim::Faults faults;
    faults.block_status = kpxsim::BlockStatus{40, 2};
    sim->SetFaults(faults);
    Initialise();
    Answer answer;
    ASSERT_EQ(Query(answer), 0);
    ASSERT_EQ(lib.PrzelaczenieUrzadzeniaDoLoadera(), 0);
    ASSERT_EQ(lib.KasowanieFlashaWUrzadzeniu(), 0);
    for (int block = 0; block < 40; ++block) ASSERT_EQ(lib.ZapisanieBlokuDanychWUrzadzeniu(block), 0);
    EXPECT_EQ(lib.ZapisanieBlokuDanychWUrzadzeniu(40), 102);

    const std::size_t sent = sim->BytesReceived();
    EXPECT_EQ(lib.ZapisanieBlokuDanychWUrzadzeniu(41), 102);
    EXPECT_EQ(lib.PrzeliczenieCRCFlashaWUrzadzeniu(), 102);
    EXPECT_EQ(lib.WykonanieBreaka20ms(), 102);
    // A byte of the library's own serial variant, past the sticky code: the controller
    // receives it right after what it had, so nothing went between.
    ASSERT_EQ(lib.WriteByte(0xA5), 1);
    ASSERT_TRUE(WaitUntil([&] { return sim->BytesReceived() > sent; }));
    const Bytes received = sim->Received();
    EXPECT_EQ(received.size(), sent + 1);
    EXPECT_EQ(received.back(), 0xA5);
    EXPECT_TRUE(sim->RunsLoader());

    EXPECT_NE(lib.GetSpeed(kSlot), 0);
    EXPECT_EQ(lib.OdinicjowanieTypuIWersjiZPlikuINumeruPortu(), 102);
    EXPECT_EQ(lib.GetSpeed(kSlot), 0);
    EXPECT_EQ(lib.OdinicjowanieTypuIWersjiZPlikuINumeruPortu(), 102);
    EXPECT_EQ(TextOf(102), "data verification error");
    EXPECT_EQ(lib.ZapisanieBlokuDanychWBajtachDoPoslania(0), 0);  // the text cleared the code
}

TEST_F(Upgrade, StatusBytesOfABlockWriteBecomeCodes)
{
    Start();
    Initialise();
    Answer answer;
    ASSERT_EQ(Query(answer), 0);
    ASSERT_EQ(lib.PrzelaczenieUrzadzeniaDoLoadera(), 0);
    ASSERT_EQ(lib.KasowanieFlashaWUrzadzeniu(), 0);
    const struct {
        std::uint8_t status;
        std::uint8_t code;
        const char* text;
    } cases[] = {{1, 101, "CRC error"},
                 {2, 102, "data verification error"},
                 {6, 23, "incorrect answer from device"},
                 {4, 104, "service switch is off"},
                 {19, 46, "unknown error"}};
    for (const auto& c : cases) {
        kpxsim::Faults faults;
        faults.block_status = kpxsim::BlockStatus{3, c.status};
        sim->SetFaults(faults);
        EXPECT_EQ(lib.ZapisanieBlokuDanychWUrzadzeniu(3), c.code) << int{c.status};
        EXPECT_EQ(TextOf(c.code), c.text);
    }
    sim->SetFaults({});
    EXPECT_EQ(lib.ZapisanieBlokuDanychWUrzadzeniu(3), 0);
    EXPECT_EQ(lib.ZapisanieBlokuDanychWUrzadzeniu(89), 210);  // nothing read past the image
}

TEST_F(Upgrade, DeviceTypeCheck)
{
    const struct {
        std::uint8_t type;
        bool runs_loader;
        std::uint8_t code;
    } cases[] = {{0x1D, false, 206}, {0x1D, true, 0}, {0x1F, true, 0}, {0x12, false, 206}, {0x12, true, 206}};
    for (const auto& c : cases) {
        kpxsim::Options options;
        options.loader.device_type = c.type;
        options.loader.runs_loader = c.runs_loader;
        options.loader.version = {255, 0, 7};
        Start(options);
        Initialise();
        Answer answer;
        EXPECT_EQ(Query(answer), c.code) << int{c.type} << ' ' << c.runs_loader;
        // Written also when the type is refused.
        EXPECT_EQ(answer.type, c.type);
        EXPECT_EQ(answer.loader_flag, c.runs_loader ? 1 : 0);
        EXPECT_EQ((Bytes{answer.major, answer.minor, answer.revision}), (Bytes{255, 0, 7}));
        if (c.code != 0) {
            EXPECT_EQ(TextOf(c.code), "incorrect device type on COM42 (program works only with KPX-2)");
        }
        ResetLibrary(lib);
    }
}

TEST_F(Upgrade, MaximumSpeedQuery)
{
    // An answer sets the speed the switch goes to.
    kpxsim::Options options;
    options.loader.maximum_speed = 19200;
    Start(options);
    Initialise();
    EXPECT_EQ(lib.UstalenieMaksymalnejSzybkosciTransmisji(), 0);
    EXPECT_EQ(lib.PrzestawienieSzybkosciTransmisjiNaMaksymalna(), 0);
    EXPECT_EQ(lib.GetSpeed(kSlot), 19200);
    EXPECT_EQ(sim->ControllerSpeed(), 19200u);
    Answer answer;
    EXPECT_EQ(Query(answer), 0);
    ResetLibrary(lib);

    // No answer at all: 38400 and no error.
    options.loader.answers_speed_query = false;
    options.loader.maximum_speed = 38400;
    Start(options);
    Initialise();
    EXPECT_EQ(lib.UstalenieMaksymalnejSzybkosciTransmisji(), 0);
    EXPECT_EQ(lib.PrzestawienieSzybkosciTransmisjiNaMaksymalna(), 0);
    EXPECT_EQ(lib.GetSpeed(kSlot), 38400);
    EXPECT_EQ(Query(answer), 0);
}

TEST_F(Upgrade, LeavePortOpenKeepsThePortThroughASpeedChange)
{
    Start();
    Initialise();
    lib.UstawieniePozostawiacOtwartyPortSzeregowy(1);
    ASSERT_EQ(lib.ZainicjowaniePortuSzeregowego(kUpgradePort, 9600, 1, 1), 0);
    EXPECT_EQ(lib.GetSpeed(kSlot), 9600);
    EXPECT_EQ(lib.ZainicjowaniePortuSzeregowego(kUpgradePort, 38400, 1, 1), 0);
    EXPECT_EQ(lib.GetSpeed(kSlot), 9600);
    // The break then goes at 9600: no break for the controller.
    EXPECT_EQ(lib.WykonanieBreaka20ms(), 0);
    EXPECT_EQ(lib.PoslanieBajtu(0x1B), 0);
    EXPECT_TRUE(WaitUntil([&] { return sim->BytesReceived() >= 2; }));
    EXPECT_EQ(sim->Received(), (Bytes{0x00, 0x1B}));
    EXPECT_EQ(lib.OdinicjowanieTypuIWersjiZPlikuINumeruPortu(), 0);
    EXPECT_EQ(lib.GetSpeed(kSlot), 9600);

    lib.UstawieniePozostawiacOtwartyPortSzeregowy(0);  // closes it at once
    EXPECT_EQ(lib.GetSpeed(kSlot), 0);

    // The standard-convention twin: only the low byte counts.
    Initialise();
    lib.StdUstawieniePozostawiacOtwartyPortSzeregowy(0x100);
    ASSERT_EQ(lib.ZainicjowaniePortuSzeregowego(kUpgradePort, 9600, 1, 1), 0);
    lib.OdinicjowanieTypuIWersjiZPlikuINumeruPortu();
    EXPECT_EQ(lib.GetSpeed(kSlot), 0);
    lib.StdUstawieniePozostawiacOtwartyPortSzeregowy(1);
    Initialise();
    ASSERT_EQ(lib.ZainicjowaniePortuSzeregowego(kUpgradePort, 9600, 1, 1), 0);
    lib.OdinicjowanieTypuIWersjiZPlikuINumeruPortu();
    EXPECT_EQ(lib.GetSpeed(kSlot), 9600);
}

TEST_F(Upgrade, EscapeRequestDiscardsBytesThatCameBeforeIt)
{
    kpxsim::Options options;
    options.loader.runs_loader = true;
    Start(options);
    Initialise();
    Answer answer;
    ASSERT_EQ(Query(answer), 0);
    ASSERT_EQ(lib.KasowanieFlashaWUrzadzeniu(), 0);
    // The port stays open for the block writes; a stray byte would read as status 7 (107).
    sim->SendToEditor({0x07});
    ASSERT_TRUE(WaitUntil([&] { return InputQueued(static_cast<int>(lib.GetCOMHandle(kSlot))) == 1; }))
        << "the stray byte waits on the library's port";
    EXPECT_EQ(lib.ZapisanieBlokuDanychWUrzadzeniu(0), 0);
}

TEST_F(Upgrade, SilentControllerGivesNoAnswer)
{
    Start();
    kpxsim::Faults faults;
    faults.silent = true;
    sim->SetFaults(faults);
    Initialise();
    Answer answer;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Query(answer), 21);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);  // one read time-out of 1 s
    EXPECT_EQ(TextOf(21), "no answer from device (receiving timeout)");
}

}  // namespace
}  // namespace kpx2::test
