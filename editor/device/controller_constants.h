// The controller's command protocol: command bytes, reply bytes, block addresses, the
// device-link error codes and their texts, and the line's time-outs.
#pragma once

#include <array>
#include <cstdint>

namespace orvel {

using Block = std::array<std::uint8_t, 8>;

// Frames: every command starts with the escape byte and a command byte.
constexpr std::uint8_t kEscape = 0x1B;
constexpr std::uint8_t kCommandIdentify = 0x00;
constexpr std::uint8_t kCommandCurrentPreset = 0x01;
constexpr std::uint8_t kCommandReadBlock = 0x02;
constexpr std::uint8_t kCommandWriteBlock = 0x03;

constexpr std::uint8_t kReplyDone = 0x64;  // "d": block follows, or block written
constexpr std::uint8_t kChecksumSeed = 0x55;
constexpr std::size_t kIdentityLength = 6;

// Block addresses.
constexpr std::uint8_t kSecondHalfOffset = 100;     // a preset's bytes 8-15 live at its number + 100
constexpr std::uint8_t kFirstRefusedAddress = 254;  // 254 and 255 are never sent
constexpr std::uint8_t kBlockUnused = 250;
constexpr std::uint8_t kBlockCtrlNumbers = 251;
constexpr std::uint8_t kBlockBankFunctions = 252;
constexpr std::uint8_t kBlockOptions = 253;

// Device-link error codes. A reply byte of the controller is used as the code itself.
constexpr std::uint8_t kCodeNotSent = 20;
constexpr std::uint8_t kCodeNotReceived = 21;
constexpr std::uint8_t kCodeMemoryError = 101;
constexpr std::uint8_t kCodeChecksum = 102;
constexpr std::uint8_t kCodeMemoryLocked = 103;

constexpr const char* kTextNotSent = "020: transmission error";
constexpr const char* kTextNotReceived = "021: transmission error";
constexpr const char* kTextMemoryError = "101: internal memory reading/writing error";
constexpr const char* kTextChecksum = "102: checksum error";
constexpr const char* kTextMemoryLocked = "103: unlock memory pressing memory lock key";
constexpr const char* kTextOtherCodeSuffix = " error";

// The current preset reply: two bytes, the bank digit and the preset digit. A reply of other
// bytes is a failure named by them: the prefix, "0x00 0x0C", the suffix.
constexpr std::uint8_t kLastDigit = 9;
constexpr const char* kTextPresetReplyPrefix = "The controller's current preset reply ";
constexpr const char* kTextPresetReplySuffix = " names no preset: both digits must be 0 to 9";

// The line: 9600 bit/s, 8 data bits, even parity, 1 stop bit.
constexpr std::int32_t kLineBaudRate = 9600;

// What the commands show.
constexpr const char* kCaptionMessages = "Orvel";
constexpr const char* kTextNoController = "No KPX-2/KPX-3 connected";
// A numbered serial port whose device is there but whose port did not open: the prefix, then
// the serial library's text and its code ("Błąd podczas uruchamiania wątku. (code 11)").
constexpr const char* kTextPortNotOpenedPrefix = "The serial port could not be opened: ";
constexpr const char* kTextLibraryCodePrefix = " (code ";
constexpr const char* kTextLibraryCodeSuffix = ")";
// A converter or serial device that is there but that this user may not open, said instead
// of kTextNoController: the path, then how to get access (device_access.cpp puts them together).
constexpr const char* kTextNoPermissionPrefix = "No permission to open ";
constexpr const char* kTextJoinGroupPrefix = "Add your user to its group \"";
constexpr const char* kTextJoinGroupCommand = "\" (sudo usermod -aG ";
constexpr const char* kTextLogInAgain = ", then log in again)";
constexpr const char* kTextSessionGroupPrefix = "Your user is in its group \"";
constexpr const char* kTextSessionGroupSuffix = "\", but this session started before: log in again.";
constexpr const char* kTextOwnerOnlyPrefix = "Only its owner ";
constexpr const char* kTextOwnerOnlySuffix = " may open it";
constexpr const char* kTextOrInstallRule =
    " or install Orvel's udev rule 60-orvel-kpx.rules and plug the converter in again.";
constexpr const char* kTextInstallRule =
    ": install Orvel's udev rule 60-orvel-kpx.rules and plug the converter in again.";
constexpr const char* kTextAskAdministrator = ": ask the administrator for access.";
// The title's firmware text and the status bar's connection text around the shown identity.
constexpr const char* kTitleFirmwarePrefix = "KPX firmware version: ";
constexpr const char* kTextConnectedSuffix = " connected";
// A converter is there but its controller does not answer: "KPX2-3 not answering on
// KPX00001", with the controller's name when it answered before.
constexpr const char* kTextNotAnsweringOn = " not answering on ";
constexpr const char* kTextAnyController = "KPX-2/KPX-3";

// Time-outs of the line, per byte: for the exchanges, for the identify query on a USB
// converter, and the same two on a numbered serial port (whole seconds).
constexpr std::int32_t kExchangeTimeoutMs = 2000;
constexpr std::int32_t kIdentifyTimeoutMs = 500;
constexpr std::int32_t kExchangeTimeoutS = 2;
constexpr std::int32_t kSerialIdentifyTimeoutS = 1;

}  // namespace orvel
