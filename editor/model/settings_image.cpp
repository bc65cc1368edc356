#include "model/settings_image.h"

#include <optional>

#include "model/preset_entry.h"
#include "model/settings_constants.h"
#include "model/settings_entry.h"

namespace orvel {

namespace {

// Index of each tile's code in SettingsData::keys.
constexpr std::size_t kBankTile = 0;
constexpr std::size_t kWahPadTile = 1;
constexpr std::size_t kWahLoopTile = 2;
constexpr std::size_t kSequencesTile = 3;
constexpr std::size_t kTapTempoTile = 4;
constexpr std::size_t kMidiModeTile = 5;
constexpr std::size_t kTunerTile = 6;
constexpr std::size_t kAuxTile = 7;

bool HasExtendedOptions(std::uint8_t firmware_version)
{
    return firmware_version >= kFirmwareWithExtendedOptions;
}

bool Has(std::uint8_t byte, std::uint8_t flag)
{
    return (byte & flag) != 0;
}

std::optional<int> ChannelOf(const std::string& text)
{
    return ReadWholeNumber(text, kMidiChannelMin, kEncodableChannelMax);
}

std::optional<int> CtrlNumberOf(const std::string& text)
{
    return ReadWholeNumber(text, kCtrlNumberMin, kEncodableCtrlNumberMax);
}

// The first field, in grid column order, whose text has no byte on the controller.
std::optional<SettingsFieldFault> FindFault(const SettingsData& settings)
{
    for (int i = 0; i < kMidiChannelCount; ++i) {
        const std::string& text = settings.midi_channels[static_cast<std::size_t>(i)];
        if (!ChannelOf(text))
            return SettingsFieldFault{kSetupFirstChannelColumn + i, SettingsFieldName(kSetupFirstChannelColumn + i),
                                      text};
    }
    for (int i = 0; i < kCtrlNumberCount; ++i) {
        const std::string& text = settings.ctrl_numbers[static_cast<std::size_t>(i)];
        if (!CtrlNumberOf(text))
            return SettingsFieldFault{kSetupFirstCtrlColumn + i, SettingsFieldName(kSetupFirstCtrlColumn + i), text};
    }
    return std::nullopt;
}

}  // namespace

SettingsBlocks FactorySettingsBlocks()
{
    SettingsBlocks blocks;
    EncodeSettings(SettingsData{}, kFirmwareWithExtendedOptions, blocks);
    return blocks;
}

bool EncodeSettings(const SettingsData& settings, std::uint8_t firmware_version, SettingsBlocks& blocks,
                    SettingsFieldFault* fault)
{
    if (const auto found = FindFault(settings)) {
        if (fault) *fault = *found;
        return false;
    }
    const bool extended = HasExtendedOptions(firmware_version);

    SettingsBlocks encoded;
    for (int i = 0; i < kCtrlNumberCount; ++i)
        encoded.ctrl_numbers[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(*CtrlNumberOf(settings.ctrl_numbers[static_cast<std::size_t>(i)]));

    SettingsBlock& out = encoded.options;
    for (int i = 0; i < kMidiChannelCount; ++i)
        out[static_cast<std::size_t>(kOptionByteFirstChannel + i)] =
            static_cast<std::uint8_t>(*ChannelOf(settings.midi_channels[static_cast<std::size_t>(i)]) - 1);

    std::uint8_t& flags = out[kOptionByteFlags];
    std::uint8_t& more = out[kOptionByteMoreFlags];

    const std::string& bank = settings.keys[kBankTile];
    if (bank == kBankModeConstant)
        flags |= kFlagBankConstant;
    else if (bank == kBankModeUpDown)
        flags |= kFlagBankUpDown;
    else if (bank == kBankModeUpDownRecall && extended)
        more |= kFlagBankUpDownRecall;

    const std::string& wah_pad = settings.keys[kWahPadTile];
    if (wah_pad == kWahPadWp)
        flags |= kFlagWahPadActive;
    else if (wah_pad != kWahPadOff)
        flags |= kFlagWahPadActive | kFlagWahPadTbwp;

    for (std::size_t loop = 0; loop < kWahLoopCodes.size(); ++loop) {
        if (settings.keys[kWahLoopTile] == kWahLoopCodes[loop])
            out[kOptionByteWahLoop] = static_cast<std::uint8_t>(loop);
    }

    if (settings.keys[kSequencesTile] == kSequencesFirstPress) flags |= kFlagSequences;
    if (settings.keys[kTapTempoTile] == kTapTempoOn) flags |= kFlagTapTempo;

    const std::string& midi_mode = settings.keys[kMidiModeTile];
    if (midi_mode == kMidiModeControls)
        flags |= kFlagMidiControls;
    else if (midi_mode == kMidiModeAdvanced)
        more |= kFlagMidiAdvanced;  // whatever the version

    const std::string& tuner = settings.keys[kTunerTile];
    if (tuner == kTunerProcessor || tuner == kTunerProcessorByFootswitch) flags |= kFlagTunerInProcessor;
    if (tuner == kTunerOutputByFootswitch || tuner == kTunerProcessorByFootswitch) more |= kFlagTunerByFootswitch;

    if (extended) out[kOptionByteAuxMode] = settings.keys[kAuxTile] == kAuxFunction1 ? kAuxModeCode1 : kAuxModeCode2;

    blocks = encoded;
    return true;
}

void DecodeSettings(const SettingsBlocks& blocks, std::uint8_t firmware_version, SettingsData& settings)
{
    const bool extended = HasExtendedOptions(firmware_version);
    const SettingsBlock& in = blocks.options;
    const std::uint8_t flags = in[kOptionByteFlags];
    const std::uint8_t more = in[kOptionByteMoreFlags];

    for (int i = 0; i < kCtrlNumberCount; ++i)
        settings.ctrl_numbers[static_cast<std::size_t>(i)] =
            std::to_string(blocks.ctrl_numbers[static_cast<std::size_t>(i)]);
    for (int i = 0; i < kMidiChannelCount; ++i)
        settings.midi_channels[static_cast<std::size_t>(i)] =
            std::to_string(in[static_cast<std::size_t>(kOptionByteFirstChannel + i)] + 1);

    std::string_view bank = kBankModeHold;
    if (Has(flags, kFlagBankConstant))
        bank = kBankModeConstant;
    else if (Has(flags, kFlagBankUpDown))
        bank = kBankModeUpDown;
    if (extended && Has(more, kFlagBankUpDownRecall)) bank = kBankModeUpDownRecall;
    settings.keys[kBankTile] = std::string(bank);

    std::string_view wah_pad = kWahPadOff;
    if (Has(flags, kFlagWahPadActive)) wah_pad = Has(flags, kFlagWahPadTbwp) ? kWahPadTbwp : kWahPadWp;
    settings.keys[kWahPadTile] = std::string(wah_pad);

    const std::uint8_t loop = in[kOptionByteWahLoop];
    if (loop < kWahLoopCodes.size()) settings.keys[kWahLoopTile] = std::string(kWahLoopCodes[loop]);

    settings.keys[kSequencesTile] = std::string(Has(flags, kFlagSequences) ? kSequencesFirstPress : kSequencesAlways);
    settings.keys[kTapTempoTile] = std::string(Has(flags, kFlagTapTempo) ? kTapTempoOn : kTapTempoOff);

    std::string_view midi_mode = Has(flags, kFlagMidiControls) ? kMidiModeControls : kMidiModeProgram;
    if (extended && Has(more, kFlagMidiAdvanced)) midi_mode = kMidiModeAdvanced;
    settings.keys[kMidiModeTile] = std::string(midi_mode);

    const bool by_footswitch = Has(more, kFlagTunerByFootswitch);
    std::string_view tuner = by_footswitch ? kTunerOutputByFootswitch : kTunerOutput;
    if (Has(flags, kFlagTunerInProcessor)) tuner = by_footswitch ? kTunerProcessorByFootswitch : kTunerProcessor;
    settings.keys[kTunerTile] = std::string(tuner);

    if (extended) {
        const std::uint8_t aux = in[kOptionByteAuxMode];
        if (aux == kAuxModeCode1)
            settings.keys[kAuxTile] = std::string(kAuxFunction1);
        else if (aux == kAuxModeCode2)
            settings.keys[kAuxTile] = std::string(kAuxFunction2);
    }
}

}  // namespace orvel
