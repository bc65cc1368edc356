// The user's commands that move presets, bank functions and settings between the editor
// and the controller. Each opens the link, exchanges its blocks and closes the link again;
// what it shows goes through the TransferView.
#pragma once

#include <cstdint>

#include "device/commands/transfer_view.h"
#include "device/link/device_link.h"
#include "model/preset_stores.h"
#include "model/preset_table.h"
#include "model/settings_data.h"

namespace orvel {

// Everything a command works on. The bank and preset commands act on the table's current
// row (a header row counts as the first preset row).
struct TransferSession {
    DeviceLink& link;
    PresetTable& table;
    SettingsData& settings;
    TransferBuffer& buffer;
    LastReadImages& last_read;
    TransferView& view;
};

// Result type of the commands (the transfer commands, "Check default", the firmware upgrade):
// what happened, for the caller to act on without reading what was shown.
enum class TransferOutcome {
    Done,
    NotIdentified,  // nothing answered the identification on the serial port: nothing happened
    Refused,        // a value the controller cannot take: shown, nothing sent
    NoController,   // the link did not open: "No KPX-2/KPX-3 connected" shown
    Failed,         // an exchange failed: its text shown, what was done before stays done
    NotDefault,     // "Check default": a value differs from the factory default; the first shown
    Declined,       // the user said No or closed the port dialog: nothing happened
};

// A command's hold on its session. While it stands the transfer controls are off and, when
// asked, the hourglass shows; however the command leaves (done, failed, or by an exception)
// they are given back, once. One command at a time is the caller's rule: the window's device
// session runs one job at a time, orvel-cli one command a run.
class SessionHold {
public:
    SessionHold(TransferSession& s, bool busy_cursor);
    ~SessionHold() { Release(); }
    SessionHold(const SessionHold&) = delete;
    SessionHold& operator=(const SessionHold&) = delete;

    // Gives everything back now, before what the command still shows.
    void Release();

private:
    TransferSession& s_;
    bool busy_cursor_;
    bool held_ = true;
};

TransferOutcome ReadAllPresets(TransferSession& session);
TransferOutcome WriteAllPresets(TransferSession& session);
TransferOutcome ReadBank(TransferSession& session);
TransferOutcome WriteBank(TransferSession& session);
TransferOutcome ReadOnePreset(TransferSession& session);
TransferOutcome WriteOnePreset(TransferSession& session);
TransferOutcome ReadSettings(TransferSession& session);
TransferOutcome WriteSettings(TransferSession& session);

}  // namespace orvel
