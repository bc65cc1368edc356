// Reads all 100 presets and the bank function block through the command protocol from a
// virtual controller paced at 9600 bit/s, once through a USB converter and once through a
// numbered serial port (the serial library's threaded variant), and compares each run with
// the line time of the bytes that crossed the line. Then measures the bare cost of handing
// one byte to the serial library's worker thread, and beside it the least any hand-over can
// cost on this machine (a bare wake-up round trip between two threads). Exits 1 when a run
// takes more than 1.02 times the line time or a hand-over takes 15 us or more.
//
// With --hand-over [bytes] it runs only the hand-over loop (2000 bytes unless told), so that
// a profiler or a system-call counter sees nothing else:
//   strace -f -c build/bench/read_all_bench --hand-over 2000
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <linux/futex.h>
#include <pthread.h>
#include <sched.h>
#include <stdlib.h>
#include <string>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "device/converter/usb_converters.h"
#include "device/protocol/command_protocol.h"
#include "sim/simulator.h"
#include "zudedize/threaded_api.h"

namespace {

using namespace orvel;
using Clock = std::chrono::steady_clock;

class PrintedMessages final : public UserMessages {
public:
    void ShowMessage(MessageIcon, const std::string&, const std::string& text) override
    {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
};

constexpr double kSecondsPerCharacter = 11.0 / 9600.0;
constexpr std::size_t kBytesPerBlockRead = 3 + 10;  // escape, command, address; status, 8 data, checksum
constexpr double kLimit = 1.02;
constexpr double kHandOverLimitUs = 15.0;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Opens the link, reads everything, closes it; false when an exchange failed.
bool ReadEverything(DeviceLink& link, std::uint8_t port, const std::string& serial, std::size_t& blocks)
{
    if (!OpenLink(link, port, serial)) {
        std::fprintf(stderr, "the virtual controller did not open\n");
        return false;
    }
    std::uint8_t code = 0;
    LastReadImages last_read{};
    blocks = 0;
    for (int preset = 0; preset < 100; ++preset) {
        PresetData record;
        if (!ReadPreset(link, static_cast<std::uint8_t>(preset), code, record, last_read)) {
            std::fprintf(stderr, "preset %d: %s\n", preset, ReplyCodeText(code).c_str());
            CloseLink(link);
            return false;
        }
        blocks += 2;
    }
    Block bank{};
    const bool ok = ReadBlock(link, kBlockBankFunctions, code, bank);
    if (!ok) std::fprintf(stderr, "block 252: %s\n", ReplyCodeText(code).c_str());
    ++blocks;
    CloseLink(link);
    return ok;
}

// Runs one transport; returns the ratio to the line time, or a negative number on failure.
double Run(const char* label, DeviceLink& link, std::uint8_t port, const std::string& serial)
{
    std::size_t blocks = 0;
    const auto start = Clock::now();
    if (!ReadEverything(link, port, serial, blocks)) return -1;
    const double elapsed = Seconds(start);
    const std::size_t bytes = blocks * kBytesPerBlockRead;
    const double line_time = static_cast<double>(bytes) * kSecondsPerCharacter;
    const double ratio = elapsed / line_time;
    std::printf("%-12s read all presets and block 252: %zu bytes, line time %.3f s, took %.3f s, ratio %.4f\n", label,
                bytes, line_time, elapsed, ratio);
    return ratio;
}

// The median of `each`, which it reorders.
double Median(std::vector<double>& each)
{
    const auto middle = each.begin() + static_cast<std::ptrdiff_t>(each.size() / 2);
    std::nth_element(each.begin(), middle, each.end());
    return *middle;
}

// Sleeps until `word` holds `value`.
void SleepUntil(std::atomic<std::uint32_t>& word, std::uint32_t value)
{
    for (std::uint32_t now = word.load(); now != value; now = word.load())
        syscall(SYS_futex, &word, FUTEX_WAIT_PRIVATE, now, nullptr, nullptr, 0);
}

void Raise(std::atomic<std::uint32_t>& word, std::uint32_t value)
{
    word.store(value);
    syscall(SYS_futex, &word, FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
}

// Keeps the calling thread on `cpu`.
void KeepOn(int cpu)
{
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    pthread_setaffinity_np(pthread_self(), sizeof set, &set);
}

// What this machine charges for the least a hand-over can be: one thread wakes a sleeping
// second thread, which wakes the first back; nothing else. The two threads run on the CPUs
// given, which decides the cost: the median of `rounds`, in us.
double BareWakeRoundTripMicroseconds(int rounds, int cpu, int other_cpu)
{
    cpu_set_t before;
    pthread_getaffinity_np(pthread_self(), sizeof before, &before);
    KeepOn(cpu);
    std::atomic<std::uint32_t> request{0};
    std::atomic<std::uint32_t> answer{0};
    std::thread other([&] {
        KeepOn(other_cpu);
        for (std::uint32_t i = 1; i <= static_cast<std::uint32_t>(rounds); ++i) {
            SleepUntil(request, i);
            Raise(answer, i);
        }
    });
    std::vector<double> each;
    each.reserve(static_cast<std::size_t>(rounds));
    for (std::uint32_t i = 1; i <= static_cast<std::uint32_t>(rounds); ++i) {
        const auto start = Clock::now();
        Raise(request, i);
        SleepUntil(answer, i);
        each.push_back(Seconds(start) * 1e6);
    }
    other.join();
    pthread_setaffinity_np(pthread_self(), sizeof before, &before);
    return Median(each);
}

// Hands bytes to the serial worker thread on a bare pseudo-terminal that nobody reads, so
// that only the hand-over and the write are measured (fewer bytes than its buffer holds).
// Each byte is timed on its own and the median reported, so that the moments the machine
// gives to other work do not count as the hand-over's cost.
double HandOverMicroseconds(std::uint8_t port, int bytes)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return -1;
    setenv(("ZUDEDIZE_COM" + std::to_string(port)).c_str(), ptsname(master), 1);
    double microseconds = -1;
    if (zudedize::threaded::InitializePort(port, 9600, 2, 2) == 0) {
        std::vector<double> each;
        each.reserve(static_cast<std::size_t>(bytes));
        for (int written = 0; written < bytes; ++written) {
            const auto start = Clock::now();
            if (zudedize::threaded::WriteByte(0x00) != 1) break;
            each.push_back(Seconds(start) * 1e6);
        }
        if (!each.empty() && each.size() == static_cast<std::size_t>(bytes)) microseconds = Median(each);
        zudedize::threaded::UnInitializePort();
    }
    close(master);
    return microseconds;
}

void PrintHandOver(double microseconds)
{
    std::printf("serial port  one byte handed to the worker thread and written: %.1f us (median)\n", microseconds);
    const int cpus = static_cast<int>(std::thread::hardware_concurrency());
    std::printf("this machine: a bare wake-up round trip between two threads on one CPU: %.1f us",
                BareWakeRoundTripMicroseconds(2000, 0, 0));
    if (cpus > 1) std::printf(", on two CPUs: %.1f us", BareWakeRoundTripMicroseconds(2000, 0, 1));
    std::printf(" (medians)\n");
}

}  // namespace

int main(int argc, char** argv)
{
    constexpr int kHandOverBytes = 2000;
    if (argc >= 2 && std::string(argv[1]) == "--hand-over") {
        // Fewer bytes than a pseudo-terminal's buffer holds, as nobody reads them.
        const int bytes = argc >= 3 ? std::clamp(std::atoi(argv[2]), 1, 4000) : kHandOverBytes;
        const double hand_over = HandOverMicroseconds(8, bytes);
        PrintHandOver(hand_over);
        return hand_over > 0 && hand_over < kHandOverLimitUs ? 0 : 1;
    }

    kpxsim::Options paced;
    paced.paced = true;
    PrintedMessages messages;
    UsbConverters converters;
    D2XXUnit usb(converters, messages);

    kpxsim::Simulator usb_sim(paced);
    kpxsim::ConverterTree tree;
    tree.Add(0, "BENCH001", usb_sim.SlavePath());
    setenv("ORVEL_SYSROOT", tree.Root().c_str(), 1);
    DeviceLink usb_link(usb, TransportKind::UsbConverter);
    const double usb_ratio = Run("USB", usb_link, 1, "BENCH001");

    kpxsim::Simulator serial_sim(paced);
    setenv("ZUDEDIZE_COM7", serial_sim.SlavePath().c_str(), 1);
    DeviceLink serial_link(usb, TransportKind::SerialPort);
    const double serial_ratio = Run("serial port", serial_link, 7, "");

    const double hand_over = HandOverMicroseconds(8, kHandOverBytes);
    PrintHandOver(hand_over);

    const bool ok = usb_ratio > 0 && usb_ratio <= kLimit && serial_ratio > 0 && serial_ratio <= kLimit &&
                    hand_over > 0 && hand_over < kHandOverLimitUs;
    std::printf("limits %.2f x line time, hand-over under %.0f us: %s\n", kLimit, kHandOverLimitUs,
                ok ? "met" : "NOT met");
    return ok ? 0 : 1;
}
