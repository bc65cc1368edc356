// kpx-sim: a virtual KPX-2/KPX-3 foot controller on a pseudo-terminal.
// The simulator owns the master side and answers the controller's command protocol on its
// own thread; the program under test opens the slave side like a real serial device.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kpxsim {

using Block = std::array<std::uint8_t, 8>;

enum class IdentityForm { Long, Short };

// The loader side: the application flash it writes, in blocks.
inline constexpr std::size_t kFlashBlockSize = 128;
inline constexpr int kFlashBlockCount = 128;
using FlashBlock = std::array<std::uint8_t, kFlashBlockSize>;

// How the controller's loader side behaves (firmware upgrades). A break (the line held at
// space for 10 ms or more, as a zero byte at 500 bit/s does) makes the controller listen for
// loader requests at 9600 bit/s; frame A takes it to its maximum speed; frame B starts its
// loader, which erases and writes the flash and recomputes its CRC, after which the controller
// restarts its new application at 9600 bit/s.
struct LoaderOptions {
    std::uint8_t device_type = 0x1F;               // type the query reports (0x1F; 0x1D for a bare loader)
    bool runs_loader = false;                      // starts in its loader, with no application
    std::array<std::uint8_t, 3> version{2, 2, 4};  // major, minor, revision the query reports (255: unknown)
    // The version of the firmware an upgrade writes: the query reports it once the new
    // application restarts. The image the loader library carries is 2.25.
    std::array<std::uint8_t, 3> image_version{2, 2, 5};
    unsigned maximum_speed = 38400;           // the speed query's answer and the speed after frame A
    bool answers_speed_query = true;          // false: the speed query goes unanswered
    std::chrono::milliseconds erase_time{0};  // how long the flash erase takes before its status
    bool four_byte_addresses = false;         // block payloads carry 4-byte addresses
};

// An injected status byte: the loader answers the write of `block` with `status`.
struct BlockStatus {
    int block = 0;
    std::uint8_t status = 0;
};

struct Options {
    int model = 2;  // 2 or 3: the digit after "KPX"
    IdentityForm form = IdentityForm::Long;
    int version = 30;                     // long form: a multiple of 10 from 0 to 90; short form: 0 to 99
    std::optional<std::string> identity;  // six characters sent as they are, overriding model/form/version
    std::uint8_t current_preset = 0;      // 0 to 99
    bool memory_locked = false;           // writes answered with 0x67
    bool paced = false;                   // pace both directions at 9600 bit/s, 11 bits a character
    bool check_speed = true;              // ignore bytes while the line is not set to 9600 bit/s
    // The loader side. With it, `paced` paces each byte at the speed it travels at, and
    // `check_speed` compares with the speed the controller listens at (9600, or its maximum
    // after frame A) and also recognises breaks; without `check_speed` there are no breaks.
    LoaderOptions loader;
};

// Faults that can be switched on while the simulator runs.
struct Faults {
    bool silent = false;                      // read everything, answer nothing
    bool bad_checksum = false;                // block reads end with a wrong checksum byte
    std::optional<std::uint8_t> read_reply;   // first byte of every block read reply (e.g. 0x65)
    std::optional<std::uint8_t> write_reply;  // reply byte to every block write (e.g. 0x66, 0x68)
    std::optional<std::size_t> stop_after;    // send this many more bytes, then fall silent
    std::optional<std::size_t> vanish_after;  // send this many more bytes, then vanish (close the line)
    std::optional<BlockStatus> block_status;  // loader: the write of this block is answered with this status
    // The two bytes of every current preset reply instead of the preset's digits (e.g. 0 and 12).
    std::optional<std::array<std::uint8_t, 2>> preset_reply;
    // After each batch of bytes it takes off the line, the thread is held up this long before it
    // reads on, as a busy system may hold it up between two reads.
    std::optional<std::chrono::milliseconds> held_up;
};

class Simulator {
public:
    explicit Simulator(const Options& options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    const std::string& SlavePath() const;  // e.g. "/dev/pts/4"

    void SetCurrentPreset(std::uint8_t preset);
    void SetMemoryLocked(bool locked);
    void SetFaults(const Faults& faults);
    void Vanish();  // the line disappears now, as an unplugged converter

    Block ReadMemory(std::uint8_t address) const;  // blocks 0-199, 250-253
    void WriteMemory(std::uint8_t address, const Block& data);
    void ResetMemory();  // factory defaults

    std::size_t BytesReceived() const;  // everything the editor sent so far
    std::vector<std::uint8_t> Received() const;
    void ClearReceived();

    // Loader side.
    FlashBlock ReadFlash(int block) const;  // 0 to kFlashBlockCount - 1; 0xFF where erased
    bool RunsLoader() const;                // the type query's loader flag
    unsigned ControllerSpeed() const;       // the speed the controller listens at now
    void SetEraseTime(std::chrono::milliseconds time);
    void Restart();  // power cycle: the application at 9600, or the loader without one
    void SendToEditor(const std::vector<std::uint8_t>& bytes);  // unasked bytes, sent now

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A redirected system root that presents simulators as FTDI USB serial converters:
//   <root>/sys/bus/usb-serial/devices/ttyUSB<k> -> ../../../devices/usb<k>/<k>-1/<k>-1:1.0/ttyUSB<k>
//   <root>/sys/devices/usb<k>/<k>-1/{idVendor,idProduct,serial}
//   <root>/dev/ttyUSB<k> -> the simulator's slave pseudo-terminal
// Point ORVEL_SYSROOT at Root() and the editor's converter layer lists them.
class ConverterTree {
public:
    ConverterTree();                           // a fresh temporary directory
    explicit ConverterTree(std::string root);  // a directory of the caller's choosing (created if missing)
    ~ConverterTree();                          // removes what it created
    ConverterTree(const ConverterTree&) = delete;
    ConverterTree& operator=(const ConverterTree&) = delete;

    const std::string& Root() const;
    // Adds a converter as ttyUSB<index> with this serial number and device node; returns the tty name.
    std::string Add(int index, const std::string& serial, const std::string& device_path,
                    const std::string& vendor = "0403");
    void Remove(int index);

private:
    void MakeDirectories(const std::string& path);  // remembers the ones it had to create

    std::string root_;
    bool owned_ = false;                     // the whole root is ours to remove
    std::vector<std::string> created_dirs_;  // directories we made, removed again when empty
    std::vector<int> converters_;            // indexes added and not yet removed
};

}  // namespace kpxsim
