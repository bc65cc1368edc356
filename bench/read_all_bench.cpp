// Reads all 100 presets and the bank function block through the command protocol from a
// virtual controller paced at 9600 bit/s, and compares the time with the line time of the
// bytes that crossed the line. Exits 1 when the run takes more than 1.05 times the line time.
#include <stdlib.h>

#include <chrono>
#include <cstdio>

#include "command_protocol.h"
#include "simulator.h"
#include "usb_converters.h"

namespace {

using namespace orvel;

class SilentMessages final : public UserMessages {
public:
    void ShowMessage(MessageIcon, const std::string&, const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
};

constexpr double kSecondsPerCharacter = 11.0 / 9600.0;
constexpr std::size_t kBytesPerBlockRead = 3 + 10;   // escape, command, address; status, 8 data, checksum

}  // namespace

int main() {
    kpxsim::Options options;
    options.paced = true;
    kpxsim::Simulator sim(options);
    kpxsim::ConverterTree tree;
    tree.Add(0, "BENCH001", sim.SlavePath());
    setenv("ORVEL_SYSROOT", tree.Root().c_str(), 1);

    SilentMessages messages;
    UsbConverters converters;
    D2XXUnit usb(converters, messages);
    DeviceLink link(usb, kPlatformUsb);

    const auto start = std::chrono::steady_clock::now();
    if (!OpenLink(link, 1, "BENCH001")) {
        std::fprintf(stderr, "the virtual controller did not open\n");
        return 2;
    }
    std::uint8_t code = 0;
    LastReadImages last_read{};
    std::size_t blocks = 0;
    for (int preset = 0; preset < 100; ++preset) {
        PresetData record;
        if (!ReadPreset(link, static_cast<std::uint8_t>(preset), code, record, last_read)) {
            std::fprintf(stderr, "preset %d: %s\n", preset, ErrorText(code).c_str());
            return 2;
        }
        blocks += 2;
    }
    Block bank{};
    if (!ReadBlock(link, kBlockBankFunctions, code, bank)) {
        std::fprintf(stderr, "block 252: %s\n", ErrorText(code).c_str());
        return 2;
    }
    ++blocks;
    CloseLink(link);
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const std::size_t bytes = blocks * kBytesPerBlockRead;
    const double line_time = static_cast<double>(bytes) * kSecondsPerCharacter;
    const double ratio = elapsed / line_time;
    std::printf("read all presets and block 252: %zu bytes, line time %.3f s, took %.3f s, ratio %.4f (limit 1.05)\n",
                bytes, line_time, elapsed, ratio);
    return ratio <= 1.05 ? 0 : 1;
}
