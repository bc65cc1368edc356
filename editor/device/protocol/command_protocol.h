// The controller's commands: identify, current preset, read and write one 8-byte block,
// and read and write a whole preset (two blocks).
//
// Result type of this layer: bool, and on a failure the code in `code`: 20 (a byte not
// sent) or 21 (none received) from the line, 102 for a wrong checksum, or the controller's
// own reply byte (101, 103 or whatever else it sent). ReplyCodeText words a code.
#pragma once

#include <cstdint>
#include <string>

#include "device/controller_constants.h"
#include "device/link/device_link.h"
#include "model/model_constants.h"
#include "model/preset_data.h"
#include "model/preset_stores.h"

namespace orvel {

// 0x55 XOR each byte.
std::uint8_t BlockChecksum(const Block& bytes);

// The text shown for a device-link error code (not an errno: see SystemErrorText).
std::string ReplyCodeText(std::uint8_t code);

// Sends the identify command on an open transport and receives the six identity characters.
bool ExchangeIdentity(Transport& transport, std::string& identity);

// Opens the transport with the identify query's short time-outs, asks for the identity and
// closes it again. On success sets `firmware_version`; a reply whose version positions are not
// digits is no controller and changes nothing.
bool QueryIdentity(Transport& transport, const LinkAddress& address, std::uint8_t& firmware_version,
                   std::string& identity);

// Identify the controller behind a USB converter: opens and closes the converter itself
// with short time-outs and, on success, sets the link's firmware version number.
bool QueryIdentityUsb(DeviceLink& link, const std::string& serial, std::string& identity);

// The preset active on the controller (bank digit x 10 + preset digit); opens and closes the
// link with the link's port number and selected converter. The one question for the window's
// live preview and the companion alike. False when the link does not open (`failure` empty),
// when the exchange fails (`failure` its code's text) and when the two bytes are not both
// digits 0 to 9 (`failure` names them); `preset` is then left as it was.
bool QueryCurrentPreset(DeviceLink& link, std::uint8_t& preset, std::string& failure);
bool QueryCurrentPreset(DeviceLink& link, std::uint8_t& preset);

// These expect the link to be open and leave it open. On a failure they return false and set
// `code`; a refused address (254 or more, preset 100 or more) returns false, sends nothing and
// leaves `code` as it was.
bool ReadBlock(DeviceLink& link, std::uint8_t address, std::uint8_t& code, Block& bytes);
bool WriteBlock(DeviceLink& link, std::uint8_t address, std::uint8_t& code, const Block& bytes);
// On success decodes into `record` (its name untouched) and keeps the image in `last_read`.
bool ReadPreset(DeviceLink& link, std::uint8_t preset, std::uint8_t& code, PresetData& record,
                LastReadImages& last_read);
// A record whose values cannot be encoded is refused like a preset number of 100 or more:
// false, nothing sent, `code` as it was. Callers check with EncodePreset first.
bool WritePreset(DeviceLink& link, std::uint8_t preset, std::uint8_t& code, PresetData record);

}  // namespace orvel
