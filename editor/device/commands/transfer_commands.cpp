#include "device/commands/transfer_commands.h"

#include <algorithm>
#include <functional>
#include <string>

#include "device/controller_constants.h"
#include "device/link/device_access.h"
#include "device/protocol/command_protocol.h"
#include "device/protocol/serial_port_identity.h"
#include "model/bank_functions.h"
#include "model/bank_rows.h"
#include "model/preset_image.h"
#include "model/preset_popup.h"
#include "model/settings_image.h"

namespace orvel {

SessionHold::SessionHold(TransferSession& s, bool busy_cursor) : s_(s), busy_cursor_(busy_cursor)
{
    if (busy_cursor_) s_.view.SetBusyCursor(true);
    s_.view.SetTransferControls(false);
}

void SessionHold::Release()
{
    if (!held_) return;
    held_ = false;
    s_.view.SetTransferControls(true);
    if (busy_cursor_) s_.view.SetBusyCursor(false);
}

namespace {

constexpr int kFirstPresetRow = kHeaderRowCount;
constexpr int kProgressMaximum = 100;

// What one command does inside the common frame.
struct Command {
    bool preset_command = true;  // sets the hourglass and, for many rows, redraws
    bool redraw_after = false;
    std::function<bool()> check;    // before anything happens: false refuses the command
    std::function<void()> prepare;  // after the controls are disabled, before the link opens
    std::function<bool(std::uint8_t& code)> exchanges;
    std::function<void()> after_close;  // only when every exchange succeeded
};

// The preset number a preset row's digit columns name.
std::uint8_t PresetNumber(const PresetTable& table, int row)
{
    return table.PresetNumberOfRow(row).value_or(0);
}

// A row's values into its record; the record keeps its own name.
void CopyRowToRecord(const PresetTable& table, int row, PresetData& record)
{
    const std::string name = record.name;
    record = table.GetRow(row);
    record.name = name;
}

// A record's values into its row; the row keeps its name. Setting the row applies its
// modifier.
void CopyRecordToRow(TransferSession& s, int row, const PresetData& record)
{
    PresetData values = record;
    values.name = s.table.GetRow(row).name;
    s.table.SetRow(row, values);
    s.view.PresetRowChanged(row);
}

// Refuses a row whose values the controller cannot take, naming the preset and the field.
bool RowIsSendable(TransferSession& s, int row)
{
    PresetImage image{};
    PresetFieldFault fault;
    if (EncodePreset(s.table.GetRow(row), image, &fault)) return true;
    s.view.ShowMessage(MessageIcon::Error, kCaptionMessages,
                       "Preset " + std::to_string(PresetNumber(s.table, row)) + ": " + fault.field + " holds \"" +
                           fault.text + "\", which the controller cannot take. Nothing was sent.");
    return false;
}

void SetBankFunction(TransferSession& s, int bank_digit, bool on)
{
    s.table.SetBankFunction(bank_digit, on);
    s.view.BankFunctionChanged(bank_digit);
}

// The frame every command runs in: the session's hold (for a preset command with the
// hourglass) and the link. However the command leaves it (done, failed, refused by the link,
// or by an exception) the link is closed, then the hold given back, once.
class CommandFrame {
public:
    CommandFrame(TransferSession& s, bool busy_cursor) : s_(s), hold_(s, busy_cursor) {}
    ~CommandFrame() { End(); }
    CommandFrame(const CommandFrame&) = delete;
    CommandFrame& operator=(const CommandFrame&) = delete;

    bool OpenLink()
    {
        link_open_ = orvel::OpenLink(s_.link, s_.link.port_number, s_.link.selected_serial);
        return link_open_;
    }
    void CloseLink()
    {
        if (!link_open_) return;
        link_open_ = false;
        orvel::CloseLink(s_.link);
    }
    // Gives everything back now, before what the command still shows.
    void End()
    {
        CloseLink();
        hold_.Release();
    }

private:
    TransferSession& s_;
    SessionHold hold_;
    bool link_open_ = false;
};

TransferOutcome Run(TransferSession& s, const Command& command)
{
    if (command.check && !command.check()) return TransferOutcome::Refused;
    std::string shown;
    if (!IdentifyBeforeTransfer(s.link, shown)) {
        // Nothing is said when no controller answers on the serial port, but a port this user
        // may not open is named.
        if (const auto problem = LinkAccessProblem(s.link))
            s.view.ShowMessage(MessageIcon::Error, kCaptionMessages, *problem);
        return TransferOutcome::NotIdentified;
    }
    if (!shown.empty()) s.view.ControllerIdentified(shown);

    CommandFrame frame(s, command.preset_command);
    if (command.prepare) command.prepare();

    TransferOutcome outcome = TransferOutcome::Done;
    if (!frame.OpenLink()) {
        s.view.ShowMessage(MessageIcon::Error, kCaptionMessages, NoControllerText(s.link));
        outcome = TransferOutcome::NoController;
    } else {
        std::uint8_t code = 0;
        if (!command.exchanges(code)) {
            frame.End();
            s.view.ShowMessage(MessageIcon::Error, kCaptionMessages, ReplyCodeText(code));
            return TransferOutcome::Failed;
        }
        frame.CloseLink();
        if (command.after_close) command.after_close();
    }
    frame.End();
    if (command.redraw_after) s.view.RedrawPresets();
    return outcome;
}

}  // namespace

TransferOutcome ReadAllPresets(TransferSession& s)
{
    Command command;
    command.redraw_after = true;
    command.exchanges = [&](std::uint8_t& code) {
        for (int i = 0; i < kPresetCount; ++i) {
            const int row = kFirstPresetRow + i;
            const std::uint8_t n = PresetNumber(s.table, row);
            if (!ReadPreset(s.link, n, code, s.buffer[n], s.last_read)) return false;
            CopyRecordToRow(s, row, s.buffer[n]);
            s.view.SetProgress(i + 1, kProgressMaximum);
        }
        Block block{};
        if (!ReadBlock(s.link, kBlockBankFunctions, code, block)) return false;
        const BankFunctions functions = DecodeBankFunctions(block);
        for (int d = 0; d < kBankCount; ++d) SetBankFunction(s, d, functions[d]);
        return true;
    };
    return Run(s, command);
}

TransferOutcome WriteAllPresets(TransferSession& s)
{
    Command command;
    command.check = [&] {
        for (int row = kFirstPresetRow; row < kFirstPresetRow + kPresetCount; ++row)
            if (!RowIsSendable(s, row)) return false;
        return true;
    };
    command.prepare = [&] {
        for (int row = kFirstPresetRow; row < kFirstPresetRow + kPresetCount; ++row)
            CopyRowToRecord(s.table, row, s.buffer[PresetNumber(s.table, row)]);
    };
    command.exchanges = [&](std::uint8_t& code) {
        for (int n = 0; n < kPresetCount; ++n) {
            if (!WritePreset(s.link, static_cast<std::uint8_t>(n), code, s.buffer[n])) return false;
            s.view.SetProgress(n + 1, kProgressMaximum);
        }
        return WriteBlock(s.link, kBlockBankFunctions, code, EncodeBankFunctions(s.table.AllBankFunctions()));
    };
    return Run(s, command);
}

TransferOutcome ReadBank(TransferSession& s)
{
    const int first = FirstRowOfBank(CommandRow(s.table.CurrentRow()));
    const int bank = PresetNumber(s.table, first) / 10;
    bool function = false;
    Command command;
    command.redraw_after = true;
    command.exchanges = [&](std::uint8_t& code) {
        for (int k = 0; k < kPresetsPerBank; ++k) {
            const std::uint8_t n = PresetNumber(s.table, first + k);
            if (!ReadPreset(s.link, n, code, s.buffer[n], s.last_read)) return false;
            s.view.SetProgress(std::min(10 * (k + 1) + 10, kProgressMaximum), kProgressMaximum);
        }
        Block block{};
        if (!ReadBlock(s.link, kBlockBankFunctions, code, block)) return false;
        function = BankFunctionBit(block, bank);
        return true;
    };
    // The bank's rows change only once the whole bank and its function were read.
    command.after_close = [&] {
        for (int k = 0; k < kPresetsPerBank; ++k)
            CopyRecordToRow(s, first + k, s.buffer[PresetNumber(s.table, first + k)]);
        SetBankFunction(s, bank, function);
    };
    return Run(s, command);
}

TransferOutcome WriteBank(TransferSession& s)
{
    const int first = FirstRowOfBank(CommandRow(s.table.CurrentRow()));
    const int bank = PresetNumber(s.table, first) / 10;
    Command command;
    command.check = [&] {
        for (int k = 0; k < kPresetsPerBank; ++k)
            if (!RowIsSendable(s, first + k)) return false;
        return true;
    };
    command.prepare = [&] {
        for (int k = 0; k < kPresetsPerBank; ++k)
            CopyRowToRecord(s.table, first + k, s.buffer[PresetNumber(s.table, first + k)]);
    };
    command.exchanges = [&](std::uint8_t& code) {
        for (int k = 0; k < kPresetsPerBank; ++k) {
            const std::uint8_t n = PresetNumber(s.table, first + k);
            if (!WritePreset(s.link, n, code, s.buffer[n])) return false;
            s.view.SetProgress(std::min(10 * (k + 1) + 10, kProgressMaximum), kProgressMaximum);
        }
        // Only this bank's function changes; the others stay as the controller has them.
        Block block{};
        if (!ReadBlock(s.link, kBlockBankFunctions, code, block)) return false;
        SetBankFunctionBit(block, bank, s.table.BankFunction(bank));
        return WriteBlock(s.link, kBlockBankFunctions, code, block);
    };
    return Run(s, command);
}

TransferOutcome ReadOnePreset(TransferSession& s)
{
    const int row = CommandRow(s.table.CurrentRow());
    const std::uint8_t n = PresetNumber(s.table, row);
    Command command;
    command.exchanges = [&](std::uint8_t& code) { return ReadPreset(s.link, n, code, s.buffer[n], s.last_read); };
    command.after_close = [&] {
        CopyRecordToRow(s, row, s.buffer[n]);
        s.view.SetProgress(kProgressMaximum, kProgressMaximum);
    };
    return Run(s, command);
}

TransferOutcome WriteOnePreset(TransferSession& s)
{
    const int row = CommandRow(s.table.CurrentRow());
    const std::uint8_t n = PresetNumber(s.table, row);
    Command command;
    command.check = [&] { return RowIsSendable(s, row); };
    command.prepare = [&] { CopyRowToRecord(s.table, row, s.buffer[n]); };
    command.exchanges = [&](std::uint8_t& code) {
        if (!WritePreset(s.link, n, code, s.buffer[n])) return false;
        s.view.SetProgress(kProgressMaximum, kProgressMaximum);
        return true;
    };
    return Run(s, command);
}

TransferOutcome ReadSettings(TransferSession& s)
{
    SettingsBlocks blocks;
    Command command;
    command.preset_command = false;
    command.exchanges = [&](std::uint8_t& code) {
        Block unused{};
        return ReadBlock(s.link, kBlockCtrlNumbers, code, blocks.ctrl_numbers) &&
               ReadBlock(s.link, kBlockOptions, code, blocks.options) && ReadBlock(s.link, kBlockUnused, code, unused);
    };
    command.after_close = [&] {
        DecodeSettings(blocks, s.link.firmware_version, s.settings);
        s.view.SettingsChanged();
    };
    return Run(s, command);
}

TransferOutcome WriteSettings(TransferSession& s)
{
    SettingsBlocks blocks;
    Command command;
    command.preset_command = false;
    // Channels and CTRL numbers are checked before anything is sent; the blocks are built
    // once the controller's firmware version is known (a serial port identifies it first).
    command.check = [&] {
        SettingsFieldFault fault;
        if (EncodeSettings(s.settings, s.link.firmware_version, blocks, &fault)) return true;
        s.view.ShowMessage(MessageIcon::Error, kCaptionMessages,
                           "Settings: " + fault.field + " holds \"" + fault.text +
                               "\", which the controller cannot take. Nothing was sent.");
        return false;
    };
    command.prepare = [&] { EncodeSettings(s.settings, s.link.firmware_version, blocks); };
    command.exchanges = [&](std::uint8_t& code) {
        return WriteBlock(s.link, kBlockCtrlNumbers, code, blocks.ctrl_numbers) &&
               WriteBlock(s.link, kBlockOptions, code, blocks.options);
    };
    return Run(s, command);
}

}  // namespace orvel
