#include "sim/loader_engine.h"

#include <algorithm>
#include <span>
#include <stdexcept>

#include "sim/block_check_bytes.h"
#include "sim/loader_constants.h"

namespace kpxsim {

namespace {

template <std::size_t N>
bool StartsLike(const std::vector<std::uint8_t>& bytes, const std::array<std::uint8_t, N>& frame)
{
    return bytes.size() <= N && std::equal(bytes.begin(), bytes.end(), frame.begin());
}

template <std::size_t N>
bool Equals(const std::vector<std::uint8_t>& bytes, const std::array<std::uint8_t, N>& frame)
{
    return bytes.size() == N && StartsLike(bytes, frame);
}

LoaderOptions CheckedOptions(const LoaderOptions& options)
{
    if (options.device_type > loader::kDeviceTypeMask)
        throw std::invalid_argument("kpx-sim: a device type is 0 to 0x7F");
    if (options.maximum_speed == 0) throw std::invalid_argument("kpx-sim: the maximum speed is above 0");
    return options;
}

}  // namespace

LoaderEngine::LoaderEngine(const LoaderOptions& options)
    : options_(CheckedOptions(options)),
      flash_(kFlashBlockCount,
             [] {
                 FlashBlock erased;
                 erased.fill(loader::kErasedByte);
                 return erased;
             }()),
      application_valid_(!options.runs_loader)
{
    Restart();
}

void LoaderEngine::Restart()
{
    runs_loader_ = !application_valid_;
    listening_ = runs_loader_;
    speed_ = loader::kServiceSpeed;
    ResetParser();
}

void LoaderEngine::Break()
{
    listening_ = true;
    speed_ = loader::kServiceSpeed;
    ResetParser();
}

void LoaderEngine::ResetParser()
{
    state_ = State::Idle;
    frame_.clear();
}

const FlashBlock& LoaderEngine::Flash(int block) const
{
    if (block < 0 || block >= kFlashBlockCount) throw std::out_of_range("kpx-sim: no such flash block");
    return flash_[static_cast<std::size_t>(block)];
}

std::size_t LoaderEngine::PayloadLength(std::uint8_t command) const
{
    switch (command) {
    case loader::kQuery: return loader::kQueryLength;
    case loader::kEraseFlash:
    case loader::kRecomputeCrc: return loader::kConfirmLength;
    case loader::kWriteBlock:
        return (options_.four_byte_addresses ? loader::kLongAddressLength : loader::kShortAddressLength) +
               kFlashBlockSize + loader::kCheckByteCount;
    default: return 0;
    }
}

LoaderReply LoaderEngine::Answer(std::vector<std::uint8_t> bytes, std::chrono::milliseconds delay) const
{
    return {std::move(bytes), speed_, delay};
}

LoaderReply LoaderEngine::Feed(std::uint8_t byte)
{
    switch (state_) {
    case State::Idle:
        if (byte == loader::kEscape) {
            state_ = State::Command;
        } else if (byte == loader::kFrameA.front()) {
            state_ = State::RawFrame;
            frame_.assign(1, byte);
        }
        return {};
    case State::Command:
        command_ = byte;
        expected_ = PayloadLength(byte);
        frame_.clear();
        state_ = expected_ > 0 ? State::Payload : State::Idle;  // an unknown command is dropped
        return {};
    case State::Payload:
        frame_.push_back(byte);
        if (frame_.size() < expected_) return {};
        state_ = State::Idle;
        return Request();
    case State::RawFrame: return RawFrame(byte);
    }
    return {};
}

LoaderReply LoaderEngine::RawFrame(std::uint8_t byte)
{
    frame_.push_back(byte);
    if (!StartsLike(frame_, loader::kFrameA) && !StartsLike(frame_, loader::kFrameB)) {
        // Not a frame after all: start over with this byte.
        ResetParser();
        return Feed(byte);
    }
    if (Equals(frame_, loader::kFrameA)) {
        ResetParser();
        speed_ = options_.maximum_speed;
        return {};
    }
    if (Equals(frame_, loader::kFrameB)) {
        ResetParser();
        runs_loader_ = true;
        return Answer({loader::kStatusDone});
    }
    return {};
}

LoaderReply LoaderEngine::Request()
{
    if (command_ == loader::kQuery) {
        if (Equals(frame_, loader::kMaximumSpeedQuery) && options_.answers_speed_query) {
            const unsigned speed = options_.maximum_speed;
            return Answer({static_cast<std::uint8_t>(speed >> 16), static_cast<std::uint8_t>(speed >> 8),
                           static_cast<std::uint8_t>(speed)});
        }
        if (Equals(frame_, loader::kTypeAndVersionQuery)) {
            const auto first =
                static_cast<std::uint8_t>(options_.device_type | (runs_loader_ ? loader::kLoaderFlag : 0));
            return Answer({first, options_.version[0], options_.version[1], options_.version[2]});
        }
        return {};
    }
    // Flash work is the loader's alone; the application does not know these requests.
    if (!runs_loader_) return {};
    if (command_ == loader::kWriteBlock) return WriteBlock();
    if (frame_.front() != loader::kConfirmByte) return {};
    if (command_ == loader::kEraseFlash) {
        for (FlashBlock& block : flash_) block.fill(loader::kErasedByte);
        application_valid_ = false;
        return Answer({loader::kStatusDone}, options_.erase_time);
    }
    if (command_ == loader::kRecomputeCrc) {
        LoaderReply done = Answer({loader::kStatusDone});
        application_valid_ = true;
        options_.version = options_.image_version;  // the new application reports its own version
        Restart();                                  // into the new application
        return done;
    }
    return {};
}

LoaderReply LoaderEngine::WriteBlock()
{
    const std::size_t address_length = expected_ - kFlashBlockSize - loader::kCheckByteCount;
    const auto payload = std::span(frame_);
    std::uint64_t address = 0;
    for (std::size_t k = 0; k < address_length; ++k) address |= std::uint64_t{payload[k]} << (8 * k);
    const auto block = address / kFlashBlockSize;
    if (block_status_ && address % kFlashBlockSize == 0 && block == static_cast<std::uint64_t>(block_status_->block))
        return Answer({block_status_->status});

    const auto checked = payload.first(address_length + kFlashBlockSize);
    const auto check = BlockCheckBytes(checked);
    if (!std::equal(check.begin(), check.end(), payload.begin() + static_cast<std::ptrdiff_t>(checked.size())))
        return Answer({loader::kStatusCheckBytes});
    if (address % kFlashBlockSize != 0 || block >= static_cast<std::uint64_t>(kFlashBlockCount))
        return Answer({loader::kStatusVerification});
    const auto data = payload.subspan(address_length, kFlashBlockSize);
    std::copy(data.begin(), data.end(), flash_[block].begin());
    return Answer({loader::kStatusDone});
}

}  // namespace kpxsim
