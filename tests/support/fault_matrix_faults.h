// What the fault matrices share, for the companion's commands and for the window's: the
// faults of the virtual controller and its line, the texts each fault gives at the exchange,
// and the controller's memory before and after a cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sim/simulator.h"

namespace orvel::matrix {

// What the controller sends for a command, its identification (when the command asks for one)
// first.
struct ReplyBytes {
    std::size_t total = 0;
    std::size_t identification = 0;
};

// How many bytes the controller sends before the fault: 0 start, 1 middle, 2 end of the
// command's own exchange (after the identification).
inline std::size_t ByteOfTransfer(const ReplyBytes& r, int part)
{
    const std::size_t own = r.total - r.identification;
    return r.identification + (part == 0 ? 0 : part == 1 ? own / 2 : own - 1);
}

struct Fault {
    std::string name;
    // Sets the simulator up for a command that gets these bytes.
    std::function<void(kpxsim::Simulator&, const ReplyBytes&)> apply;
    bool upgrade_only = false;
    bool again = false;  // run the command a second time, fault cleared (after a vanish, on a new line)
};

inline kpxsim::Faults With(const std::function<void(kpxsim::Faults&)>& set)
{
    kpxsim::Faults faults;
    set(faults);
    return faults;
}

inline std::vector<Fault> Faults()
{
    auto reply = [](std::uint8_t byte) {
        return [byte](kpxsim::Simulator& sim, const ReplyBytes&) {
            sim.SetFaults(With([byte](kpxsim::Faults& f) {
                f.read_reply = byte;
                f.write_reply = byte;
            }));
        };
    };
    auto stop = [](int part) {
        return [part](kpxsim::Simulator& sim, const ReplyBytes& r) {
            const std::size_t n = ByteOfTransfer(r, part);
            sim.SetFaults(With([n](kpxsim::Faults& f) { f.stop_after = n; }));
        };
    };
    auto block = [](int b) {
        return [b](kpxsim::Simulator& sim, const ReplyBytes&) {
            sim.SetFaults(With([b](kpxsim::Faults& f) { f.block_status = kpxsim::BlockStatus{b, 1}; }));
        };
    };
    return {
        {"none", [](kpxsim::Simulator&, const ReplyBytes&) {}, false, false},
        {"silent", [](kpxsim::Simulator& sim,
                      const ReplyBytes&) { sim.SetFaults(With([](kpxsim::Faults& f) { f.silent = true; })); }},
        {"checksum", [](kpxsim::Simulator& sim,
                        const ReplyBytes&) { sim.SetFaults(With([](kpxsim::Faults& f) { f.bad_checksum = true; })); }},
        {"reply 0x65", reply(0x65)},
        {"reply 0x66", reply(0x66)},
        {"reply 0x67", reply(0x67)},
        {"reply 0x16", reply(0x16)},
        {"lock", [](kpxsim::Simulator& sim, const ReplyBytes&) { sim.SetMemoryLocked(true); }},
        {"stop start", stop(0)},
        {"stop middle", stop(1)},
        {"stop end", stop(2)},
        {"vanish",
         [](kpxsim::Simulator& sim, const ReplyBytes& r) {
             const std::size_t n = ByteOfTransfer(r, 1);
             sim.SetFaults(With([n](kpxsim::Faults& f) { f.vanish_after = n; }));
         },
         false, true},
        {"upgrade block 0", block(0), true, true},
        {"upgrade block 40", block(40), true, true},
        {"upgrade block 88", block(88), true, true},
    };
}

// The texts a failing cell may show, by fault, as the exchange gives them: the command
// protocol's outcomes and the loader library's. Each matrix adds what its own front shows
// when no controller identifies itself.
inline std::map<std::string, std::vector<std::string>> ExchangeTexts()
{
    const std::string no_answer = "no answer from device (receiving timeout)";
    return {
        {"silent", {"021: transmission error", no_answer}},
        {"checksum", {"102: checksum error"}},
        {"reply 0x65", {"101: internal memory reading/writing error"}},
        {"reply 0x66", {"102: checksum error"}},
        {"reply 0x67", {"103: unlock memory pressing memory lock key"}},
        {"reply 0x16", {"22 error"}},
        {"lock", {"103: unlock memory pressing memory lock key"}},
        {"stop start", {"021: transmission error", no_answer}},
        {"stop middle", {"021: transmission error", no_answer}},
        {"stop end", {"021: transmission error", no_answer}},
        // The line goes: the next byte cannot leave or does not come back.
        {"vanish",
         {"020: transmission error", "021: transmission error", no_answer,
          "impossible to send data to device (sending timeout)"}},
        {"upgrade block 0", {"CRC error"}},
        {"upgrade block 40", {"CRC error"}},
        {"upgrade block 88", {"CRC error"}},
    };
}

// ---- The controller's memory ---------------------------------------------------------------

using Memory = std::vector<kpxsim::Block>;

// Blocks 0-199, then 250-253.
constexpr std::size_t kMemoryBlocks = 204;

inline int AddressOf(std::size_t index)
{
    return index < 200 ? static_cast<int>(index) : static_cast<int>(index) - 200 + 250;
}

inline Memory MemoryOf(const kpxsim::Simulator& sim)
{
    Memory memory;
    for (std::size_t i = 0; i < kMemoryBlocks; ++i)
        memory.push_back(sim.ReadMemory(static_cast<std::uint8_t>(AddressOf(i))));
    return memory;
}

inline void PutMemory(kpxsim::Simulator& sim, const Memory& memory)
{
    for (std::size_t i = 0; i < memory.size(); ++i) sim.WriteMemory(static_cast<std::uint8_t>(AddressOf(i)), memory[i]);
}

inline std::set<int> Changed(const Memory& before, const Memory& after)
{
    std::set<int> changed;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i]) changed.insert(AddressOf(i));
    return changed;
}

inline bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace orvel::matrix
