// What the controller's loader side fixes: its line speeds, how long a space must last to be
// a break, its requests and fixed frames, the status bytes it answers with and the layout of
// its application flash.
//
// The virtual controller keeps its own copy of these on purpose: it is an independent peer
// of kpx2, written from what the loader does, so that a wrong byte in kpx2's copy (loader/)
// shows up as a failing upgrade instead of agreeing with itself.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace kpxsim::loader {

// Line speeds, bit/s. The controller listens at its service speed after a break and at its
// maximum speed after frame A.
inline constexpr unsigned kServiceSpeed = 9600;
inline constexpr unsigned kDefaultMaximumSpeed = 38400;

// A line held at space (start bit, zero data bits and, for a zero byte, the even parity bit)
// for at least this long is a break: a zero byte at 500 bit/s holds it for 20 ms, one at
// 1200 bit/s for 8.3 ms (not a break).
inline constexpr std::chrono::milliseconds kBreakMinimum{10};

// Requests: ESC, a command byte, a payload of a length fixed by the command.
inline constexpr std::uint8_t kEscape = 0x1B;
inline constexpr std::uint8_t kWriteBlock = 0x01;
inline constexpr std::uint8_t kEraseFlash = 0x02;
inline constexpr std::uint8_t kRecomputeCrc = 0x03;
inline constexpr std::uint8_t kQuery = 0x4D;
inline constexpr std::size_t kQueryLength = 3;
inline constexpr std::size_t kConfirmLength = 1;  // erase and CRC: one byte
inline constexpr std::uint8_t kConfirmByte = 0x55;
inline constexpr std::array<std::uint8_t, 3> kMaximumSpeedQuery{0x80, 0x00, 0x0A};
inline constexpr std::array<std::uint8_t, 3> kTypeAndVersionQuery{0x03, 0x6A, 0x0A};
inline constexpr std::uint8_t kLoaderFlag = 0x80;  // in the first byte of the type reply
inline constexpr std::uint8_t kDeviceTypeMask = 0x7F;

// Fixed frames: A switches to the maximum speed (no answer), B starts the loader (status).
inline constexpr std::array<std::uint8_t, 22> kFrameA{0x01, 0x32, 0x02, 0x31, 0x00, 0x60, 0x40, 0x00, 0x00, 0x00, 0x00,
                                                      0x0F, 0x7C, 0x4C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x0A, 0x04};
inline constexpr std::array<std::uint8_t, 22> kFrameB{0x01, 0x32, 0x02, 0xE1, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                      0x00, 0x00, 0x00, 0x00, 0x55, 0xA0, 0x1F, 0xAA, 0x03, 0x0A, 0x04};

// Status bytes.
inline constexpr std::uint8_t kStatusDone = 0;
inline constexpr std::uint8_t kStatusCheckBytes = 1;    // a written block's check bytes do not match
inline constexpr std::uint8_t kStatusVerification = 2;  // a block address outside the flash

// Application flash (kFlashBlockCount blocks of kFlashBlockSize bytes, simulator.h): 0xFF
// where erased. A block payload carries its address (2 bytes, or 4), the data and two check
// bytes.
inline constexpr std::uint8_t kErasedByte = 0xFF;
inline constexpr std::size_t kShortAddressLength = 2;
inline constexpr std::size_t kLongAddressLength = 4;
inline constexpr std::size_t kCheckByteCount = 2;

}  // namespace kpxsim::loader
