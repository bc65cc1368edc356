// kpx2's numbers in one place: result codes, line speeds and time-outs, the controller's
// loader commands and fixed frames, the firmware image's block layout and the limits of the
// header export.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kpx2 {

// Result codes (0 = success). The texts are in error_texts.cpp.
namespace code {
inline constexpr std::uint8_t kSuccess = 0;
inline constexpr std::uint8_t kSendTimeout = 20;
inline constexpr std::uint8_t kReceiveTimeout = 21;
inline constexpr std::uint8_t kIncorrectAnswer = 23;
inline constexpr std::uint8_t kStatus19 = 46;
inline constexpr std::uint8_t kOverrun = 49;
inline constexpr std::uint8_t kParityError = 50;
inline constexpr std::uint8_t kFramingError = 51;
inline constexpr std::uint8_t kCannotOpenPort = 62;
inline constexpr std::uint8_t kCrcError = 101;
inline constexpr std::uint8_t kVerificationError = 102;
inline constexpr std::uint8_t kFlashClearingError = 103;
inline constexpr std::uint8_t kServiceSwitchOff = 104;
inline constexpr std::uint8_t kImageNotInitialised = 203;
inline constexpr std::uint8_t kPortNumberNotSet = 204;
inline constexpr std::uint8_t kPortNotOpen = 205;
inline constexpr std::uint8_t kWrongDeviceType = 206;
inline constexpr std::uint8_t kCannotCreateFile = 207;
inline constexpr std::uint8_t kCannotWriteFile = 208;
// Ours: a block index outside the image, and a header file name longer than we keep. No
// status byte of the controller and no error number below 124 gives either.
inline constexpr std::uint8_t kBlockOutsideImage = 210;
inline constexpr std::uint8_t kFileNameTooLong = 213;
// Ours: the built-in image failed its check at start.
inline constexpr std::uint8_t kImageDamaged = 214;
inline constexpr std::uint8_t kAbortedByUser = 255;
}  // namespace code

// Error numbers of a byte not sent and not received; a line error turns them into 49-51.
inline constexpr std::uint8_t kNumberNotSent = 20;
inline constexpr std::uint8_t kNumberNotReceived = 21;

// Port parameters at load and for every opening.
inline constexpr std::uint8_t kInitialPortNumber = 1;
inline constexpr std::int32_t kInitialSpeed = 9600;
inline constexpr std::int32_t kInitialTimeoutS = 3;
inline constexpr std::uint8_t kInitialCtsSetting = 1;
inline constexpr std::uint8_t kOpenCtsSetting = 0;
inline constexpr std::uint8_t kOpenPortDelayMs = 10;
inline constexpr std::uint8_t kLineParity = 2;  // even

// Line speeds, bit/s.
inline constexpr std::int32_t kBreakSpeed = 500;
inline constexpr std::int32_t kServiceSpeed = 9600;
inline constexpr std::int32_t kDefaultMaximumSpeed = 38400;

// Time-outs in whole seconds: every step, and the flash erase.
inline constexpr std::int32_t kStepTimeoutS = 1;
inline constexpr std::int32_t kEraseTimeoutS = 31;

// The pause between the break and the service speed.
inline constexpr int kAfterBreakMs = 2;

// The break: one zero byte at the break speed holds the line at space for 20 ms.
inline constexpr std::uint8_t kBreakByte = 0x00;

// Escape requests: ESC, a command byte, the payload.
inline constexpr std::uint8_t kEscape = 0x1B;
inline constexpr std::uint8_t kCommandWriteBlock = 0x01;
inline constexpr std::uint8_t kCommandEraseFlash = 0x02;
inline constexpr std::uint8_t kCommandRecomputeCrc = 0x03;
inline constexpr std::uint8_t kCommandQuery = 0x4D;
inline constexpr std::uint8_t kConfirmByte = 0x55;  // the one payload byte of erase and CRC
inline constexpr std::array<std::uint8_t, 3> kMaximumSpeedQuery{0x80, 0x00, 0x0A};
inline constexpr std::array<std::uint8_t, 3> kTypeAndVersionQuery{0x03, 0x6A, 0x0A};
inline constexpr std::size_t kMaximumSpeedReplyLength = 3;
inline constexpr std::size_t kTypeAndVersionReplyLength = 4;

// Raw frames: A switches the controller to its maximum speed, B to its loader.
inline constexpr std::array<std::uint8_t, 22> kFrameA{0x01, 0x32, 0x02, 0x31, 0x00, 0x60, 0x40, 0x00, 0x00, 0x00, 0x00,
                                                      0x0F, 0x7C, 0x4C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x0A, 0x04};
inline constexpr std::array<std::uint8_t, 22> kFrameB{0x01, 0x32, 0x02, 0xE1, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                      0x00, 0x00, 0x00, 0x00, 0x55, 0xA0, 0x1F, 0xAA, 0x03, 0x0A, 0x04};

// The type and version reply's first byte: the loader flag and the device type.
inline constexpr std::uint8_t kLoaderFlagBit = 0x80;
inline constexpr std::uint8_t kDeviceTypeMask = 0x7F;
inline constexpr std::uint8_t kAcceptedDeviceType = 0x1F;
inline constexpr std::uint8_t kAcceptedLoaderDeviceType = 0x1D;  // only while the loader runs
inline constexpr const char* kAcceptedDeviceName = "KPX-2";

// Status bytes with a meaning of their own.
inline constexpr std::uint8_t kStatusDone = 0;
inline constexpr std::uint8_t kStatusCrcError = 1;  // block write only

// The send buffer holds one frame.
inline constexpr std::size_t kSendBufferSize = 255;
inline constexpr std::size_t kEscapeHeaderLength = 2;  // ESC and the command byte

// Firmware image blocks and their payload on the wire: address, data, two check bytes.
inline constexpr std::size_t kBlockSize = 0x80;
inline constexpr std::size_t kShortAddressLength = 2;
inline constexpr std::size_t kLongAddressLength = 4;
inline constexpr std::size_t kCheckByteCount = 2;
inline constexpr std::size_t kMaximumPayloadLength = kLongAddressLength + kBlockSize + kCheckByteCount;
inline constexpr int kImageBlockCount = 89;

// The header export keeps file names of up to this many characters.
inline constexpr std::size_t kMaximumExportNameLength = 1024;

// Error texts: the caller's buffer holds 256 bytes; ours is as large.
inline constexpr std::size_t kErrorTextBufferSize = 256;

}  // namespace kpx2
