#include "cli/json_output.h"

#include <iostream>

#include "device/converter/usb_converters.h"
#include "device/protocol/command_protocol.h"
#include "device/protocol/controller_identity.h"

namespace orvel {

namespace {

std::string_view PlaceName(DifferencePlace place)
{
    switch (place) {
    case DifferencePlace::Preset: return "preset";
    case DifferencePlace::BankFunction: return "bank";
    case DifferencePlace::SettingsCell: return "settings";
    case DifferencePlace::Tile: return "tile";
    }
    return "settings";
}

}  // namespace

void JsonOption(CLI::App& command, Request& request)
{
    command.add_flag("--json", request.json, "answer in JSON, one object a line (docs/cli-json.md)");
}

void PrintJsonLine(const JsonWriter& json)
{
    std::cout << json.Text() << std::endl;
}

int ListJson(Companion& c)
{
    JsonWriter json;
    json.BeginObject();
    json.Key("converters");
    json.BeginArray();
    for (const ListedConverter& converter : ListUsbConverters()) {
        std::string identity;
        const bool answered = QueryIdentityUsb(c.link, converter.serial, identity);
        json.BeginObject();
        json.Key("tty");
        json.String(converter.tty);
        json.Key("serial");
        json.String(converter.serial);
        json.Key("identity");
        if (answered)
            json.String(ShownIdentity(identity));
        else
            json.Null();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    PrintJsonLine(json);
    return 0;
}

void PrintIdentityJson(const std::string& identity, int firmware_version)
{
    JsonWriter json;
    json.BeginObject();
    json.Key("identity");
    json.String(identity);
    json.Key("firmware_version");
    json.Number(firmware_version);
    json.EndObject();
    PrintJsonLine(json);
}

void WriteCurrentPreset(JsonWriter& json, int preset)
{
    json.Key("preset");
    json.Number(preset);
    json.Key("bank_digit");
    json.Number(preset / 10);
    json.Key("preset_digit");
    json.Number(preset % 10);
}

void PrintDifferences(const std::vector<SetupDifference>& differences, std::string_view first_label,
                      std::string_view second_label, bool json)
{
    if (!json) {
        for (const SetupDifference& difference : differences)
            std::cout << DifferenceLine(difference, first_label, second_label) << '\n';
        std::cout.flush();
        return;
    }
    JsonWriter out;
    out.BeginObject();
    out.Key("equal");
    out.Bool(differences.empty());
    out.Key("differences");
    out.BeginArray();
    for (const SetupDifference& difference : differences) {
        out.BeginObject();
        out.Key("place");
        out.String(PlaceName(difference.place));
        out.Key("number");
        if (difference.place == DifferencePlace::SettingsCell)
            out.Null();
        else
            out.Number(difference.number);
        out.Key("field");
        out.String(difference.field);
        out.Key("first");
        out.String(difference.editor_value);
        out.Key("second");
        out.String(difference.controller_value);
        out.EndObject();
    }
    out.EndArray();
    out.EndObject();
    PrintJsonLine(out);
}

}  // namespace orvel
