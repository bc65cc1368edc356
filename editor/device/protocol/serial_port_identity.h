// Identifying the controller on a numbered serial port. There the connection monitor does
// nothing, so the first transfer command identifies the controller, once per run.
#pragma once

#include <cstdint>
#include <string>

#include "device/link/device_link.h"

namespace orvel {

// Opens the port with 1 s time-outs, asks for the identity and closes the port again. On
// success sets the link's firmware version number and gives the identity as shown.
bool QueryIdentitySerial(DeviceLink& link, std::uint8_t port, std::string& shown);

// The first step of every transfer command. On a numbered serial port, while no controller
// has identified itself, identifies it on the link's port: `shown` then holds the identity
// for the title. Returns false when the command must end, silently, as nothing answered.
bool IdentifyBeforeTransfer(DeviceLink& link, std::string& shown);

}  // namespace orvel
