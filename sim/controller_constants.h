// Everything the controller's firmware fixes: command and reply bytes, the memory map, the
// factory contents of memory and the timing of the serial line.
//
// The virtual controller keeps its own copy of these on purpose: it is an independent peer
// of the editor, written from what the controller does, so that a wrong byte in the editor's
// copy (editor/device) shows up as a failing exchange instead of agreeing with itself.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace kpxsim::wire {

// Commands: the escape byte, then one command byte.
inline constexpr std::uint8_t kEscape = 0x1B;
inline constexpr std::uint8_t kIdentify = 0x00;
inline constexpr std::uint8_t kCurrentPreset = 0x01;
inline constexpr std::uint8_t kReadBlock = 0x02;
inline constexpr std::uint8_t kWriteBlock = 0x03;

// Reply bytes.
inline constexpr std::uint8_t kReplyOk = 0x64;             // "d": block follows / block written
inline constexpr std::uint8_t kReplyMemoryError = 0x65;    // "e": address outside the memory
inline constexpr std::uint8_t kReplyChecksumError = 0x66;  // "f": written block had a bad checksum
inline constexpr std::uint8_t kReplyLocked = 0x67;         // "g": memory lock is on

inline constexpr std::uint8_t kChecksumSeed = 0x55;
inline constexpr std::size_t kBlockSize = 8;
inline constexpr std::size_t kIdentityLength = 6;

// Memory map: presets in blocks 0-199 (first halves at the preset number, second halves at
// the preset number + 100), settings in blocks 250-253.
inline constexpr int kPresetCount = 100;
inline constexpr int kPresetBlockCount = 200;
inline constexpr int kFirstSettingsBlock = 250;
inline constexpr int kLastSettingsBlock = 253;
inline constexpr int kSettingsBlockCount = kLastSettingsBlock - kFirstSettingsBlock + 1;
inline constexpr std::uint8_t kSpareBlock = 250;
inline constexpr std::uint8_t kCtrlNumbersBlock = 251;
inline constexpr std::uint8_t kBankFunctionsBlock = 252;
inline constexpr std::uint8_t kOptionsBlock = 253;

// Factory contents.
using RawBlock = std::array<std::uint8_t, kBlockSize>;
inline constexpr RawBlock kDefaultPresetFirstHalf{};  // "PRESET", nothing on, MIDI 1 and 2 unused
inline constexpr RawBlock kDefaultPresetSecondHalf{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x00};
inline constexpr RawBlock kDefaultSpareBlock{};
inline constexpr RawBlock kDefaultCtrlNumbers{81, 82, 83, 84, 85, 86, 87, 0};
inline constexpr RawBlock kDefaultBankFunctions{0xFF, 0x03, 0, 0, 0, 0, 0, 0};  // all ten "Add"
inline constexpr RawBlock kDefaultOptions{0, 0, 0, 1, 2, 0, 0, 0};              // channels 1, 2, 3

// The line: 9600 bit/s; start bit, 8 data bits, parity, stop bit.
inline constexpr unsigned kLineSpeed = 9600;
inline constexpr unsigned kBitsPerCharacter = 11;
inline constexpr std::chrono::nanoseconds kCharacterTime{(kBitsPerCharacter * 1'000'000'000ULL + kLineSpeed / 2) /
                                                         kLineSpeed};  // 1145833 ns

}  // namespace kpxsim::wire
