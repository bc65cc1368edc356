// A whole firmware upgrade through libkpx2.so, in the editor's order, against a virtual
// controller paced at the line rate of each speed (500, 9600 and 38400 bit/s, 11 bits a
// character) with a zero erase time. Compares each run with a bound made of the line time of
// every byte exchanged, at its speed, plus the waits the library makes on purpose: four port
// delays of 10 ms at each opening, the 2 ms after each break, and the character-time pause
// after each drain (1 ms, 2 ms at 9600). Exits 1 when a run takes more than 1.10 times the
// bound or the upgrade fails.
#include <chrono>
#include <cstdio>
#include <stdlib.h>
#include <string>

#include "loader/block_payload.h"
#include "loader/built_in_image.h"
#include "loader/kpx2.h"
#include "sim/simulator.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPort = 77;
constexpr int kRuns = 3;
constexpr double kLimit = 1.10;
constexpr double kBitsPerCharacter = 11.0;

// Bytes on the line, both directions, by speed.
constexpr double kBytesAt500 = 2;        // the two breaks
constexpr double kBytesAt9600 = 2 * 22;  // frame A, twice
double BytesAtMaximum(int blocks, std::size_t payload)
{
    return (5 + 4)                                            // type and version query, reply
           + (22 + 1)                                         // frame B, status
           + (3 + 1)                                          // erase, status
           + blocks * (2 + static_cast<double>(payload) + 1)  // block writes, status
           + (3 + 1);                                         // CRC, status
}
// What the library sends of it: the bytes above less the controller's answers.
std::size_t BytesSent(int blocks, std::size_t payload)
{
    return 2 + 44 + 5 + 22 + 3 + static_cast<std::size_t>(blocks) * (2 + payload) + 3;
}

// Waits made on purpose.
constexpr int kPortOpenings = 8;  // 500, 9600, maximum: twice; erase at 31 s, back at 1 s
constexpr double kPortDelaysPerOpening = 4;
constexpr double kPortDelay = 0.010;
constexpr double kAfterBreaks = 2 * 0.002;
constexpr double kDrainPauses = 0.009 + 2 * 0.002;  // seven re-openings, frame A twice

double LineTime(double bytes, double speed)
{
    return bytes * kBitsPerCharacter / speed;
}

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// The editor's run: the code of the first failing call, 0 on success.
std::uint8_t Upgrade(std::int32_t& blocks)
{
    std::uint8_t code = 0;
    char file_name[256] = {};
    std::uint8_t type = 0, major = 0, minor = 0, revision = 0, loader_flag = 0;
    char name[256], version[256];
    const auto run = [&] {
        if ((code = _LFP_ZainicjowanieTypuIWersjiZPlikuBIN(file_name, &type, name, version, &blocks))) return;
        if ((code = _LFP_ZainicjowanieNumeruPortu(kPort))) return;
        if ((code = _LFP_PytanieOTypIWersjeUrzadzenia(&type, &major, &minor, &revision, &loader_flag))) return;
        if (loader_flag == 0 && (code = _LFP_PrzelaczenieUrzadzeniaDoLoadera())) return;
        if ((code = _LFP_KasowanieFlashaWUrzadzeniu())) return;
        for (std::int32_t i = 0; i < blocks; ++i)
            if ((code = _LFP_ZapisanieBlokuDanychWUrzadzeniu(i))) return;
        code = _LFP_PrzeliczenieCRCFlashaWUrzadzeniu();
    };
    run();
    _LFP_OdinicjowanieTypuIWersjiZPlikuINumeruPortu();
    return code;
}

}  // namespace

int main()
{
    bool within = true;
    for (int run = 1; run <= kRuns; ++run) {
        const kpx2::FirmwareImage& image = kpx2::BuiltInImage();
        const std::size_t payload = kpx2::PayloadLength(image);
        kpxsim::Options options;
        options.paced = true;
        options.loader.four_byte_addresses = image.four_byte_addresses;
        kpxsim::Simulator sim(options);
        setenv(("ZUDEDIZE_COM" + std::to_string(kPort)).c_str(), sim.SlavePath().c_str(), 1);

        std::int32_t blocks = 0;
        const Clock::time_point start = Clock::now();
        const std::uint8_t code = Upgrade(blocks);
        const double took = Seconds(start);
        if (code != 0) {
            char text[256];
            std::fprintf(stderr, "the upgrade failed: %u %s\n", code, _LFP_UstalenieTekstuOpisujacegoBlad(code, text));
            return 1;
        }
        if (sim.BytesReceived() != BytesSent(blocks, payload)) {
            std::fprintf(stderr, "the controller received %zu bytes, the bound counts %zu\n", sim.BytesReceived(),
                         BytesSent(blocks, payload));
            return 1;
        }

        const double line = LineTime(kBytesAt500, 500) + LineTime(kBytesAt9600, 9600) +
                            LineTime(BytesAtMaximum(blocks, payload), 38400);
        const double waits = kPortOpenings * kPortDelaysPerOpening * kPortDelay + kAfterBreaks + kDrainPauses;
        const double bound = line + waits;
        const double ratio = took / bound;
        std::printf("run %d: upgrade of %d blocks %.3f s; bound %.3f s (line %.3f s + waits %.3f s); ratio %.3f\n", run,
                    blocks, took, bound, line, waits, ratio);
        within = within && ratio <= kLimit;
    }
    std::printf("%s (limit %.2f x the bound)\n", within ? "within the limit" : "OVER THE LIMIT", kLimit);
    return within ? 0 : 1;
}
