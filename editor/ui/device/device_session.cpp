#include "ui/device/device_session.h"

#include <chrono>
#include <thread>

#include "device/commands/compare_command.h"
#include "device/commands/firmware_upgrade.h"
#include "device/protocol/command_protocol.h"

namespace orvel {

namespace {

// What a command works on, copied from the window's set-up when it is asked for.
struct CommandCopy {
    PresetTable table;
    SettingsData settings;
};

}  // namespace

DeviceSession::DeviceSession(TransportKind transport, EditorState& state, ChangeRecorder& history,
                             UserMessages& messages, TransferView& window_view, QObject* parent)
    : QObject(parent),
      state_(state),
      history_(history),
      window_view_(window_view),
      thread_(this),
      messages_(thread_, messages),
      usb_(converters_, messages_),
      link_(usb_, transport)
{
}

DeviceSession::~DeviceSession()
{
    thread_.Stop();
    usb_.CloseDevice();
}

ThreadTransferView DeviceSession::JobView(const PresetTable& table, const SettingsData& settings)
{
    return ThreadTransferView(thread_, window_view_, *this, table, settings);
}

bool DeviceSession::Start(const QString& name, const std::optional<std::string>& step, std::function<void()> job)
{
    if (command_running_ || close_requested_) return false;  // one command at a time
    command_running_ = true;
    if (step) history_.Begin(*step);
    emit commandStarted(name);
    thread_.Post(std::move(job), [this, step_open = step.has_value()] {
        // Every row the command handed back, all of them or those before a failure.
        if (step_open) history_.End();
        command_running_ = false;
        emit commandEnded();
        CloseIfAsked();
    });
    return true;
}

bool DeviceSession::RunCommand(const QString& name, const std::string& step, std::uint8_t port, Command command)
{
    auto copy = std::make_shared<CommandCopy>(CommandCopy{state_.table, state_.settings});
    return Start(name, step, [this, copy, port, command = std::move(command)] {
        link_.port_number = port;
        ThreadTransferView view = JobView(copy->table, copy->settings);
        TransferSession session{link_, copy->table, copy->settings, buffer_, last_read_, view};
        command(session);
    });
}

bool DeviceSession::RunComparison(const QString& name, const std::string& step, std::uint8_t port)
{
    return RunCommand(name, step, port, [this](TransferSession& session) {
        std::vector<SetupDifference> differences;
        if (CompareWithController(session, differences) != TransferOutcome::Done) return;
        thread_.OnWindow([this, differences] { emit comparisonRead(differences); });
    });
}

bool DeviceSession::RunUpgrade(const QString& name, int port_box)
{
    return Start(name, std::nullopt, [this, port_box] {
        const CommandCopy unused;
        ThreadTransferView view = JobView(unused.table, unused.settings);
        FirmwareUpgradeCommand(usb_, port_box, view);
    });
}

bool DeviceSession::MonitorTick()
{
    if (UsesSerialPort() || command_running_ || close_requested_ || monitor_in_flight_) return false;
    monitor_in_flight_ = true;
    auto result = std::make_shared<MonitorResult>();
    thread_.Post(
        [this, result] {
            *result =
                RunMonitorTick(link_, [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); });
        },
        [this, result] {
            monitor_in_flight_ = false;
            // A tick a close cut short found nothing: what the window shows stays.
            if (!close_requested_) {
                if (result->finding == MonitorFinding::Identified) last_identity_ = result->shown_identity;
                emit monitorShown(ShowOfMonitor(*result, last_identity_));
                emit monitorTickEnded();
            }
            CloseIfAsked();
        });
    return true;
}

void DeviceSession::PreviewTick(std::uint8_t port)
{
    // A command holding the controller keeps the picture as it is.
    if (command_running_ || close_requested_ || preview_in_flight_) return;
    preview_in_flight_ = true;
    auto reply = std::make_shared<std::optional<std::uint8_t>>();
    thread_.Post(
        [this, reply, port] {
            link_.port_number = port;
            // A reply that names no preset is a failure like a silent line: the picture stays.
            std::uint8_t preset = 0;
            if (QueryCurrentPreset(link_, preset)) *reply = preset;
        },
        [this, reply] {
            preview_in_flight_ = false;
            if (*reply) emit currentPresetRead(**reply);
            CloseIfAsked();
        });
}

bool DeviceSession::RequestClose()
{
    if (Idle()) return true;
    close_requested_ = true;
    // A command ends as it would; the monitor's or the preview's exchange, which nobody waits
    // for now, ends at once instead of after its time-out (half a second for a silent
    // controller). Reads wait again once the session is idle (the close may yet be cancelled).
    if (!command_running_) usb_.AbandonWaits(true);
    return false;
}

void DeviceSession::CloseIfAsked()
{
    if (close_requested_ && Idle()) {
        close_requested_ = false;
        usb_.AbandonWaits(false);
        emit closeReady();
    }
}

void DeviceSession::TakeRow(int table_row, const PresetData& row)
{
    state_.read_from_controller = true;
    state_.table.SetRow(table_row, row);
    window_view_.PresetRowChanged(table_row);
}

void DeviceSession::TakeBankFunction(int bank_digit, bool on)
{
    state_.read_from_controller = true;
    state_.table.SetBankFunction(bank_digit, on);
    window_view_.BankFunctionChanged(bank_digit);
}

void DeviceSession::TakeSettings(const SettingsData& settings)
{
    state_.read_from_controller = true;
    state_.settings = settings;
    window_view_.SettingsChanged();
}

}  // namespace orvel
