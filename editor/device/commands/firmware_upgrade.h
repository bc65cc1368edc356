// The firmware upgrade: the editor's side of a run of the loader library kpx2 — port choice,
// version comparison, the questions, progress and outcome. kpx2 drives the COM port itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "device/commands/transfer_commands.h"
#include "device/commands/transfer_view.h"
#include "device/converter/d2xx_unit.h"

namespace orvel {

// The version of the firmware image kpx2 can upload ("2.25"), for the window's title. When
// kpx2 cannot describe its image it is de-initialised again and there is no version.
std::optional<std::string> UploadableImageVersion();

// One upgrade run on COM port `port`. Returns kpx2's code of the first failing call (kpx2's
// result type), or 0 when the firmware was upgraded or the user declined. kpx2 is de-initialised (its port
// closed) and the progress bar hidden on every way out.
std::uint8_t UpgradeFirmware(std::uint8_t port, TransferView& view);

// "Firmware upgrade": releases the editor's converter, finds its COM port number (or asks
// for one, preset with `port_box`), runs the upgrade and shows the text of a failure.
// Done when the firmware was upgraded; Declined when the user closed the port dialog or
// said No; Refused for a port number outside 1 to 255 (nothing happened); Failed when kpx2
// failed (its text shown).
TransferOutcome FirmwareUpgradeCommand(D2XXUnit& usb, int port_box, TransferView& view);

}  // namespace orvel
