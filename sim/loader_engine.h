// The controller's loader side as a state machine: breaks and the bytes that arrive at the
// speed it listens at go in, the bytes it answers come out with the speed they go at and how
// long the controller works before it answers. No I/O, no clock.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/simulator.h"

namespace kpxsim {

struct LoaderReply {
    std::vector<std::uint8_t> bytes;
    unsigned speed = 0;                  // bit/s
    std::chrono::milliseconds delay{0};  // after the request's last byte
};

class LoaderEngine {
public:
    // Throws std::invalid_argument for a device type above 0x7F or a maximum speed of 0.
    explicit LoaderEngine(const LoaderOptions& options);

    // The line was held at space long enough: listen for loader requests at the service speed.
    void Break();
    LoaderReply Feed(std::uint8_t byte);

    // The loader side takes the line's bytes (after a break, or while the loader runs);
    // otherwise the application's command protocol does.
    bool Listening() const { return listening_; }
    bool RunsLoader() const { return runs_loader_; }
    unsigned LineSpeed() const { return speed_; }

    const FlashBlock& Flash(int block) const;  // throws std::out_of_range
    void SetEraseTime(std::chrono::milliseconds time) { options_.erase_time = time; }
    // Takes block_status.
    void SetFaults(const Faults& faults) { block_status_ = faults.block_status; }
    // Power cycle: the application at the service speed, or the loader when the flash holds
    // no application (erased and not finished with a CRC recomputation).
    void Restart();

private:
    enum class State { Idle, Command, Payload, RawFrame };

    void ResetParser();
    std::size_t PayloadLength(std::uint8_t command) const;
    LoaderReply Answer(std::vector<std::uint8_t> bytes, std::chrono::milliseconds delay = {}) const;
    LoaderReply Request();  // the request in command_ and frame_ is complete
    LoaderReply RawFrame(std::uint8_t byte);
    LoaderReply WriteBlock();

    LoaderOptions options_;
    std::optional<BlockStatus> block_status_;
    std::vector<FlashBlock> flash_;
    bool application_valid_;
    bool runs_loader_ = false;
    bool listening_ = false;
    unsigned speed_ = 0;

    State state_ = State::Idle;
    std::uint8_t command_ = 0;
    std::size_t expected_ = 0;
    std::vector<std::uint8_t> frame_;  // the payload or raw frame so far
};

}  // namespace kpxsim
