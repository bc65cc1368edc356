#include "cli/entry_refusal.h"

#include <vector>

#include "model/bank_functions.h"
#include "model/entry_rules.h"
#include "model/model_constants.h"
#include "model/settings_constants.h"
#include "model/settings_entry.h"
#include "model/settings_tiles.h"
#include "ui/rules/field_names.h"

namespace orvel {

namespace {

// "a, b or c".
std::string Choices(const std::vector<std::string_view>& choices)
{
    std::string text;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (i > 0) text += i + 1 == choices.size() ? " or " : ", ";
        text += choices[i];
    }
    return text;
}

}  // namespace

std::string PresetEntryRefusal(int column, std::string_view entry)
{
    return RefusedEntryText(PresetEntryRule(column), entry);
}

std::string SettingsEntryRefusal(int column, std::string_view entry)
{
    return RefusedEntryText(SettingsEntryRule(column), entry);
}

std::string TileEntryRefusal(int tile, std::string_view entry)
{
    const auto codes = TileCodes(tile);
    return RefusedEntryText(EntryRule{std::string(BalloonTitle(tile)), Choices({codes.begin(), codes.end()})}, entry);
}

std::string BankFunctionRefusal(std::string_view entry)
{
    return RefusedEntryText(
        EntryRule{"bank function", Choices({BankFunctionCaption(true), BankFunctionCaption(false)})}, entry);
}

}  // namespace orvel
