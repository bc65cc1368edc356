// The controller's command protocol as a state machine: feed it each byte that arrives from
// the editor and it returns the bytes the controller answers (often none). No I/O, no clock.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/controller_memory.h"
#include "sim/simulator.h"

namespace kpxsim {

class CommandEngine {
public:
    // identity: the six characters of the identify reply.
    CommandEngine(std::string identity, std::uint8_t current_preset, bool memory_locked);

    std::vector<std::uint8_t> Feed(std::uint8_t byte);
    bool Idle() const { return state_ == State::Idle; }

    ControllerMemory& Memory() { return memory_; }
    const ControllerMemory& Memory() const { return memory_; }

    void SetCurrentPreset(std::uint8_t preset) { current_preset_ = preset; }
    void SetMemoryLocked(bool locked) { memory_locked_ = locked; }
    // Takes the faults that change what a reply says: bad_checksum, read_reply, write_reply,
    // preset_reply.
    void SetFaults(const Faults& faults);

private:
    enum class State { Idle, Command, ReadAddress, WriteAddress, WriteData, WriteChecksum };

    std::vector<std::uint8_t> StartCommand(std::uint8_t command);
    std::vector<std::uint8_t> ReadReply(std::uint8_t address) const;
    std::uint8_t WriteReply(std::uint8_t checksum);

    std::string identity_;
    std::uint8_t current_preset_;
    bool memory_locked_;
    bool bad_checksum_ = false;
    std::optional<std::uint8_t> read_reply_;
    std::optional<std::uint8_t> write_reply_;
    std::optional<std::array<std::uint8_t, 2>> preset_reply_;

    ControllerMemory memory_;
    State state_ = State::Idle;
    std::uint8_t address_ = 0;
    Block data_{};
    std::size_t data_count_ = 0;
};

}  // namespace kpxsim
