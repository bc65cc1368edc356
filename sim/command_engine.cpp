#include "sim/command_engine.h"

#include <utility>

#include "sim/block_checksum.h"
#include "sim/controller_constants.h"

namespace kpxsim {

CommandEngine::CommandEngine(std::string identity, std::uint8_t current_preset, bool memory_locked)
    : identity_(std::move(identity)), current_preset_(current_preset), memory_locked_(memory_locked)
{
}

void CommandEngine::SetFaults(const Faults& faults)
{
    bad_checksum_ = faults.bad_checksum;
    read_reply_ = faults.read_reply;
    write_reply_ = faults.write_reply;
    preset_reply_ = faults.preset_reply;
}

std::vector<std::uint8_t> CommandEngine::Feed(std::uint8_t byte)
{
    switch (state_) {
    case State::Idle:
        if (byte == wire::kEscape) state_ = State::Command;
        return {};
    case State::Command: return StartCommand(byte);
    case State::ReadAddress: state_ = State::Idle; return ReadReply(byte);
    case State::WriteAddress:
        address_ = byte;
        data_count_ = 0;
        state_ = State::WriteData;
        return {};
    case State::WriteData:
        data_[data_count_++] = byte;
        if (data_count_ == data_.size()) state_ = State::WriteChecksum;
        return {};
    case State::WriteChecksum: state_ = State::Idle; return {WriteReply(byte)};
    }
    return {};
}

std::vector<std::uint8_t> CommandEngine::StartCommand(std::uint8_t command)
{
    state_ = State::Idle;
    switch (command) {
    case wire::kIdentify: return {identity_.begin(), identity_.end()};
    case wire::kCurrentPreset:
        if (preset_reply_) return {(*preset_reply_)[0], (*preset_reply_)[1]};
        return {static_cast<std::uint8_t>(current_preset_ / 10), static_cast<std::uint8_t>(current_preset_ % 10)};
    case wire::kReadBlock: state_ = State::ReadAddress; return {};
    case wire::kWriteBlock: state_ = State::WriteAddress; return {};
    default: return {};  // unknown command: back to waiting for an escape
    }
}

std::vector<std::uint8_t> CommandEngine::ReadReply(std::uint8_t address) const
{
    if (read_reply_ && *read_reply_ != wire::kReplyOk) return {*read_reply_};
    if (!ControllerMemory::Contains(address)) return {wire::kReplyMemoryError};

    const Block& block = memory_.Read(address);
    std::vector<std::uint8_t> reply;
    reply.reserve(block.size() + 2);
    reply.push_back(wire::kReplyOk);
    reply.insert(reply.end(), block.begin(), block.end());
    std::uint8_t checksum = BlockChecksum(block);
    if (bad_checksum_) checksum ^= 0xFF;
    reply.push_back(checksum);
    return reply;
}

std::uint8_t CommandEngine::WriteReply(std::uint8_t checksum)
{
    // An injected reply stands for a controller that failed to store the block.
    if (write_reply_) return *write_reply_;
    if (memory_locked_) return wire::kReplyLocked;
    if (checksum != BlockChecksum(data_)) return wire::kReplyChecksumError;
    if (!ControllerMemory::Contains(address_)) return wire::kReplyMemoryError;
    memory_.Write(address_, data_);
    return wire::kReplyOk;
}

}  // namespace kpxsim
