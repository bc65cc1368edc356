#include "default_check_command.h"

#include "model/default_check.h"

namespace orvel {

// The transfers report their own failures; the comparisons then judge what the editor holds.
void CheckDefaults(TransferSession& s) {
    ReadAllPresets(s);
    if (const auto difference = FirstPresetDifference(s.last_read, s.table.AllBankFunctions())) {
        s.view.ShowMessage(MessageIcon::Error, kDefaultCheckErrorCaption, *difference);
        return;
    }
    ReadSettings(s);
    if (const auto difference = FirstSettingsDifference(s.settings)) {
        s.view.ShowMessage(MessageIcon::Error, kDefaultCheckErrorCaption, *difference);
        return;
    }
    s.view.ShowMessage(MessageIcon::Information, kDefaultCheckInfoCaption, kDefaultCheckAllDefault);
}

}  // namespace orvel
