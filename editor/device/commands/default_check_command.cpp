#include "device/commands/default_check_command.h"

#include "model/default_check.h"

namespace orvel {

TransferOutcome CheckDefaults(TransferSession& s)
{
    if (const TransferOutcome read = ReadAllPresets(s); read != TransferOutcome::Done) return read;
    if (const auto difference = FirstPresetDifference(s.last_read, s.table.AllBankFunctions())) {
        s.view.ShowMessage(MessageIcon::Error, kDefaultCheckErrorCaption, *difference);
        return TransferOutcome::NotDefault;
    }
    if (const TransferOutcome read = ReadSettings(s); read != TransferOutcome::Done) return read;
    if (const auto difference = FirstSettingsDifference(s.settings)) {
        s.view.ShowMessage(MessageIcon::Error, kDefaultCheckErrorCaption, *difference);
        return TransferOutcome::NotDefault;
    }
    s.view.ShowMessage(MessageIcon::Information, kDefaultCheckInfoCaption, kDefaultCheckAllDefault);
    return TransferOutcome::Done;
}

}  // namespace orvel
