// DeviceSession: the window's way to the controller. It owns the device thread, the USB
// converter layer, the link, the transfer buffer and the images last read, and everything
// that says what they are doing. It starts one command at a time (and refuses another while
// one runs or a close waits), runs the connection monitor's and the live preview's ticks on
// the device thread, and holds a close back until the controller's work has ended.
//
// A command works on a copy of the set-up; the rows, bank functions and settings it reads
// come back to the window's thread, where the session stores them in the set-up and has the
// window show them. Each command is one undo step, opened where the command starts and closed
// where it ends. What a job shows (boxes, questions, progress, steps, cursors, the title)
// goes to the TransferView the window implements; what the session's own state does, it
// signals. Everything here runs on the window's thread but the jobs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

#include "device/commands/connection_monitor.h"
#include "device/commands/transfer_commands.h"
#include "device/commands/transfer_view.h"
#include "device/converter/d2xx_unit.h"
#include "device/converter/usb_converters.h"
#include "device/link/device_link.h"
#include "files/editor_state.h"
#include "model/change_recorder.h"
#include "model/setup_compare.h"
#include "ui/device/device_thread.h"
#include "ui/device/thread_transfer_view.h"

namespace orvel {

class DeviceSession final : public QObject {
    Q_OBJECT
public:
    // `state` is the set-up the commands copy and the reads change, `history` makes each
    // command one step, `messages` shows the converter layer's dialogs and `window_view`
    // what the jobs show; all are the window's and outlive the session.
    DeviceSession(TransportKind transport, EditorState& state, ChangeRecorder& history, UserMessages& messages,
                  TransferView& window_view, QObject* parent = nullptr);
    // A job still running ends first (its questions answered No); no port stays open.
    ~DeviceSession() override;
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // No command runs and no job (a tick included) is queued or running.
    bool Idle() const { return !command_running_ && thread_.Idle(); }
    // A command holds the controller: nothing may start one or change the set-up.
    bool CommandRunning() const { return command_running_; }
    bool UsesSerialPort() const { return orvel::UsesSerialPort(link_); }
    // The device thread's: touch them only while Idle().
    DeviceLink& Link() { return link_; }
    D2XXUnit& Usb() { return usb_; }
    const TransferBuffer& Buffer() const { return buffer_; }

    using Command = std::function<void(TransferSession&)>;
    // Runs a command on the device thread on a copy of the set-up, through the port number
    // `port`; `step` names its undo step ("read bank 3"). False when another command runs or
    // a close waits: nothing starts.
    bool RunCommand(const QString& name, const std::string& step, std::uint8_t port, Command command);
    // "Compare with controller": reads the whole controller and signals what differs.
    bool RunComparison(const QString& name, const std::string& step, std::uint8_t port);
    // The firmware upgrade through the converter's COM port (asking for one when there is
    // none, `port_box` the number it proposes).
    bool RunUpgrade(const QString& name, int port_box);

    // The connection monitor's tick on the USB transport (none on a numbered serial port,
    // while a command runs, a close waits, or a tick is still out); signals monitorShown.
    // True when the tick started.
    bool MonitorTick();
    // The live preview's tick: asks for the active preset through `port`; signals
    // currentPresetRead when the controller named one.
    void PreviewTick(std::uint8_t port);

    // Asks to close: true when nothing holds the controller now. Otherwise false, and
    // closeReady follows once the work has ended.
    bool RequestClose();
    bool CloseWaiting() const { return close_requested_; }

    // What a job read, stored in the set-up on the window's thread and shown.
    void TakeRow(int table_row, const PresetData& row);
    void TakeBankFunction(int bank_digit, bool on);
    void TakeSettings(const SettingsData& settings);

signals:
    void commandStarted(const QString& name);
    void commandEnded();
    void monitorShown(const MonitorShow& show);
    void monitorTickEnded();
    void currentPresetRead(std::uint8_t preset);
    void comparisonRead(const std::vector<SetupDifference>& differences);
    void closeReady();

private:
    // Starts a command's job; `step`, when given, opens its undo step, which closes when the
    // job has ended and every row it handed back is stored.
    bool Start(const QString& name, const std::optional<std::string>& step, std::function<void()> job);
    // The view a job shows through, on its copy of the set-up.
    ThreadTransferView JobView(const PresetTable& table, const SettingsData& settings);
    void CloseIfAsked();

    EditorState& state_;
    ChangeRecorder& history_;
    TransferView& window_view_;
    DeviceThread thread_;
    ThreadMessages messages_;  // the converter layer's dialogs, from the device thread
    UsbConverters converters_;
    D2XXUnit usb_;
    DeviceLink link_;
    TransferBuffer buffer_{};
    LastReadImages last_read_{};
    std::string last_identity_;  // the identity shown when a controller last answered
    bool command_running_ = false;
    bool monitor_in_flight_ = false;
    bool preview_in_flight_ = false;
    bool close_requested_ = false;
};

}  // namespace orvel
