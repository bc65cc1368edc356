#include "device/protocol/command_protocol.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "device/link/usb_converter_transport.h"
#include "device/protocol/controller_identity.h"
#include "model/preset_image.h"

namespace orvel {

namespace {

// Sends each byte in turn; on a failure sets code 20 and stops.
bool SendAll(Transport& transport, std::initializer_list<std::uint8_t> bytes, std::uint8_t& code)
{
    for (const std::uint8_t byte : bytes) {
        if (!transport.Send(byte)) {
            code = kCodeNotSent;
            return false;
        }
    }
    return true;
}
bool SendAll(DeviceLink& link, std::initializer_list<std::uint8_t> bytes, std::uint8_t& code)
{
    return SendAll(*link.transport, bytes, code);
}

// On a failure sets code 21 and leaves `byte` as it was.
bool Receive(Transport& transport, std::uint8_t& byte, std::uint8_t& code)
{
    if (transport.Receive(byte)) return true;
    code = kCodeNotReceived;
    return false;
}
bool Receive(DeviceLink& link, std::uint8_t& byte, std::uint8_t& code)
{
    return Receive(*link.transport, byte, code);
}

// The failure text of a current preset reply that is not two digits, naming its bytes.
std::string PresetReplyText(std::uint8_t tens, std::uint8_t units)
{
    std::array<char, 16> bytes{};
    std::snprintf(bytes.data(), bytes.size(), "0x%02X 0x%02X", tens, units);
    return std::string(kTextPresetReplyPrefix) + bytes.data() + kTextPresetReplySuffix;
}

// Sends the write command and waits for the controller's verdict.
bool WriteBlockFrame(DeviceLink& link, std::uint8_t address, std::uint8_t& code, const std::uint8_t* bytes)
{
    Block block{};
    std::copy(bytes, bytes + block.size(), block.begin());
    if (!SendAll(link, {kEscape, kCommandWriteBlock, address}, code)) return false;
    for (const std::uint8_t byte : block)
        if (!SendAll(link, {byte}, code)) return false;
    if (!SendAll(link, {BlockChecksum(block)}, code)) return false;
    std::uint8_t reply = 0;
    if (!Receive(link, reply, code)) return false;
    if (reply == kReplyDone) return true;
    code = reply;
    return false;
}

bool ReadBlockFrame(DeviceLink& link, std::uint8_t address, std::uint8_t& code, std::uint8_t* bytes)
{
    if (!SendAll(link, {kEscape, kCommandReadBlock, address}, code)) return false;
    std::uint8_t status = 0;
    if (!Receive(link, status, code)) return false;
    if (status != kReplyDone) {
        // 0x65 is the controller's memory error (code 101); any other first byte is no block
        // at all, and its value is all we can tell the user about it.
        code = status;
        return false;
    }
    Block received{};
    for (std::uint8_t& byte : received)
        if (!Receive(link, byte, code)) return false;
    std::uint8_t sent_checksum = 0;
    if (!Receive(link, sent_checksum, code)) return false;
    if (sent_checksum != BlockChecksum(received)) {
        code = kCodeChecksum;
        return false;
    }
    std::copy(received.begin(), received.end(), bytes);
    return true;
}

}  // namespace

std::uint8_t BlockChecksum(const Block& bytes)
{
    std::uint8_t checksum = kChecksumSeed;
    for (const std::uint8_t byte : bytes) checksum ^= byte;
    return checksum;
}

std::string ReplyCodeText(std::uint8_t code)
{
    switch (code) {
    case kCodeNotSent: return kTextNotSent;
    case kCodeNotReceived: return kTextNotReceived;
    case kCodeMemoryError: return kTextMemoryError;
    case kCodeChecksum: return kTextChecksum;
    case kCodeMemoryLocked: return kTextMemoryLocked;
    default: return std::to_string(code) + kTextOtherCodeSuffix;
    }
}

bool ExchangeIdentity(Transport& transport, std::string& identity)
{
    std::uint8_t code = 0;
    identity.clear();
    if (!SendAll(transport, {kEscape, kCommandIdentify}, code)) return false;
    for (std::size_t i = 0; i < kIdentityLength; ++i) {
        std::uint8_t byte = 0;
        if (!Receive(transport, byte, code)) return false;
        identity.push_back(static_cast<char>(byte));
    }
    return true;
}

bool QueryIdentity(Transport& transport, const LinkAddress& address, std::uint8_t& firmware_version,
                   std::string& identity)
{
    if (!transport.Open(address, LinkPace::Identify)) return false;
    // A reply whose version positions are not digits is no controller we know.
    const auto version = ExchangeIdentity(transport, identity) ? FirmwareVersionOf(identity) : std::nullopt;
    transport.Close();
    if (version) firmware_version = *version;
    return version.has_value();
}

bool QueryIdentityUsb(DeviceLink& link, const std::string& serial, std::string& identity)
{
    // Always the converter, whichever transport the run uses: this asks a listed converter.
    UsbConverterTransport converter(link.usb);
    return QueryIdentity(converter, LinkAddress{0, serial}, link.firmware_version, identity);
}

bool QueryCurrentPreset(DeviceLink& link, std::uint8_t& preset, std::string& failure)
{
    failure.clear();
    if (!OpenLink(link, link.port_number, link.selected_serial)) return false;
    std::uint8_t code = 0;
    std::uint8_t tens = 0;
    std::uint8_t units = 0;
    const bool ok = SendAll(link, {kEscape, kCommandCurrentPreset}, code) && Receive(link, tens, code) &&
                    Receive(link, units, code);
    CloseLink(link);
    if (!ok) {
        failure = ReplyCodeText(code);
        return false;
    }
    // Two bytes that are not both digits name no preset: a garbled reply, not a number to make.
    if (tens > kLastDigit || units > kLastDigit) {
        failure = PresetReplyText(tens, units);
        return false;
    }
    preset = static_cast<std::uint8_t>(10 * tens + units);
    return true;
}

bool QueryCurrentPreset(DeviceLink& link, std::uint8_t& preset)
{
    std::string failure;
    return QueryCurrentPreset(link, preset, failure);
}

bool ReadBlock(DeviceLink& link, std::uint8_t address, std::uint8_t& code, Block& bytes)
{
    if (address >= kFirstRefusedAddress) return false;
    return ReadBlockFrame(link, address, code, bytes.data());
}

bool WriteBlock(DeviceLink& link, std::uint8_t address, std::uint8_t& code, const Block& bytes)
{
    if (address >= kFirstRefusedAddress) return false;
    return WriteBlockFrame(link, address, code, bytes.data());
}

bool ReadPreset(DeviceLink& link, std::uint8_t preset, std::uint8_t& code, PresetData& record,
                LastReadImages& last_read)
{
    if (preset >= kPresetCount) return false;
    PresetImage image{};
    if (!ReadBlockFrame(link, preset, code, image.data())) return false;
    if (!ReadBlockFrame(link, static_cast<std::uint8_t>(preset + kSecondHalfOffset), code, image.data() + 8))
        return false;
    DecodePreset(image, record);
    last_read[preset] = image;
    return true;
}

bool WritePreset(DeviceLink& link, std::uint8_t preset, std::uint8_t& code, PresetData record)
{
    if (preset >= kPresetCount) return false;
    PresetImage image{};
    // Not the controller's verdict: no code, so no reply byte can be mistaken for it.
    if (!EncodePreset(record, image)) return false;
    return WriteBlockFrame(link, preset, code, image.data()) &&
           WriteBlockFrame(link, static_cast<std::uint8_t>(preset + kSecondHalfOffset), code, image.data() + 8);
}

}  // namespace orvel
