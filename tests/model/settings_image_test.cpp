#include "model/settings_image.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

constexpr std::uint8_t kOld = 1;  // firmware without the extended options
constexpr std::uint8_t kNew = 2;

SettingsBlocks Encoded(const SettingsData& settings, std::uint8_t version)
{
    SettingsBlocks blocks;
    EXPECT_TRUE(EncodeSettings(settings, version, blocks));
    return blocks;
}

SettingsData WithKey(int tile, std::string code)
{
    SettingsData settings;
    settings.keys[static_cast<std::size_t>(tile - 1)] = std::move(code);
    return settings;
}

SettingsData Decoded(const SettingsBlocks& blocks, std::uint8_t version, SettingsData start = {})
{
    DecodeSettings(blocks, version, start);
    return start;
}

TEST(SettingsImage, FactoryDefaultsRoundTrip)
{
    const SettingsBlocks expected{{81, 82, 83, 84, 85, 86, 87, 0}, {0, 0, 0, 1, 2, 0, 0, 0}};
    EXPECT_EQ(FactorySettingsBlocks(), expected);
    EXPECT_EQ(Encoded(SettingsData{}, kOld), expected);
    EXPECT_EQ(Encoded(SettingsData{}, kNew), expected);
    EXPECT_EQ(Decoded(expected, kNew, WithKey(8, "AF2")), WithKey(8, "AF1"));
}

TEST(SettingsImage, ChannelsAndCtrlNumbersAtTheirLimits)
{
    SettingsData settings;
    settings.midi_channels = {"16", "1", "09"};
    settings.ctrl_numbers = {"127", "0", "1", "2", "3", "4", "5"};
    const SettingsBlocks blocks = Encoded(settings, kNew);
    EXPECT_EQ(blocks.options[2], 15);
    EXPECT_EQ(blocks.options[3], 0);
    EXPECT_EQ(blocks.options[4], 8);
    EXPECT_EQ(blocks.ctrl_numbers, (SettingsBlock{127, 0, 1, 2, 3, 4, 5, 0}));

    const SettingsData back = Decoded(blocks, kNew);
    EXPECT_EQ(back.midi_channels, (std::array<std::string, 3>{"16", "1", "9"}));
    EXPECT_EQ(back.ctrl_numbers[0], "127");
}

TEST(SettingsImage, RefusesValuesWithoutAByteAndNamesTheField)
{
    struct Case {
        int column;
        std::string text;
        std::string field;
    };
    const Case cases[] = {
        {0, "0", "MIDI channel 1"},   {1, "257", "MIDI channel 2"}, {2, "", "MIDI channel 3"},
        {2, "unu", "MIDI channel 3"}, {3, "256", "CTRL number 1"},  {9, "-1", "CTRL number 7"},
        {5, " 5", "CTRL number 3"},
    };
    for (const Case& c : cases) {
        SettingsData settings;
        if (c.column < 3)
            settings.midi_channels[static_cast<std::size_t>(c.column)] = c.text;
        else
            settings.ctrl_numbers[static_cast<std::size_t>(c.column - 3)] = c.text;
        SettingsBlocks blocks{{1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1}};
        const SettingsBlocks before = blocks;
        SettingsFieldFault fault;
        EXPECT_FALSE(EncodeSettings(settings, kNew, blocks, &fault)) << c.text;
        EXPECT_EQ(blocks, before);
        EXPECT_EQ(fault.column, c.column);
        EXPECT_EQ(fault.field, c.field);
        EXPECT_EQ(fault.text, c.text);
    }
}

// Settings read from a controller can always be written back: every byte of blocks 251 and
// 253, decoded and encoded again, is accepted and the fields the encoding carries over
// come back as they were.
TEST(SettingsImage, EveryByteAControllerHoldsEncodesBack)
{
    for (int value = 0; value <= 255; ++value) {
        const auto b = static_cast<std::uint8_t>(value);
        SCOPED_TRACE(value);
        SettingsBlocks blocks;
        blocks.ctrl_numbers.fill(b);
        blocks.options = {b, b, b, b, b, b, 0, 0};
        SettingsBlocks again;
        ASSERT_TRUE(EncodeSettings(Decoded(blocks, kNew), kNew, again));
        for (int i = 0; i < 7; ++i) EXPECT_EQ(again.ctrl_numbers[static_cast<std::size_t>(i)], b);
        for (int i = 2; i <= 4; ++i) EXPECT_EQ(again.options[static_cast<std::size_t>(i)], b);  // channels
        // "cb0" wins over "cb2", and the TBWP bit means nothing without the wah-pad bit.
        std::uint8_t flags = b;
        if ((b & 0x01) != 0) flags &= static_cast<std::uint8_t>(~0x02);
        if ((b & 0x04) == 0) flags &= static_cast<std::uint8_t>(~0x20);
        EXPECT_EQ(again.options[0], flags);
        EXPECT_EQ(again.options[1], value <= 1 ? b : 0);  // beyond AF2 the tile keeps "AF1"
        EXPECT_EQ(again.options[5], value <= 5 ? b : 0);  // beyond uL6 the tile keeps "uL1"

        blocks.options = {0, 0, 0, 0, 0, 0, b, b};
        ASSERT_TRUE(EncodeSettings(Decoded(blocks, kNew), kNew, again));
        EXPECT_EQ(again.options[6], b & 0x07);  // bits 3-7 and byte 7 are spare
        EXPECT_EQ(again.options[7], 0);
    }
}

TEST(SettingsImage, EachCodeSetsItsBits)
{
    struct Case {
        int tile;
        const char* code;
        int byte;
        std::uint8_t value;
    };
    const Case cases[] = {
        {1, "cb0", 0, 0x01},  {1, "cb2", 0, 0x02}, {1, "cb3", 6, 0x01}, {2, "uP1", 0, 0x04}, {2, "uP2", 0, 0x24},
        {2, "what", 0, 0x24}, {3, "uL6", 5, 5},    {3, "uL7", 5, 0},    {4, "ot1", 0, 0x10}, {5, "tt1", 0, 0x08},
        {6, "n3c", 0, 0x40},  {6, "n3A", 6, 0x02}, {7, "tu2", 0, 0x80}, {7, "tu3", 6, 0x04}, {7, "tu9", 0, 0},
        {8, "AF2", 1, 1},     {8, "xyz", 1, 1},
    };
    for (const Case& c : cases) {
        const SettingsBlocks blocks = Encoded(WithKey(c.tile, c.code), kNew);
        EXPECT_EQ(blocks.options[static_cast<std::size_t>(c.byte)], c.value) << c.code;
    }
    const SettingsBlocks tu4 = Encoded(WithKey(7, "tu4"), kNew);
    EXPECT_EQ(tu4.options[0], 0x80);
    EXPECT_EQ(tu4.options[6], 0x04);
}

TEST(SettingsImage, OldFirmwareDropsCb3AndAuxModeButSendsN3A)
{
    EXPECT_EQ(Encoded(WithKey(1, "cb3"), kOld), Encoded(WithKey(1, "cb1"), kOld));
    EXPECT_EQ(Encoded(WithKey(8, "AF2"), kOld).options[1], 0);
    EXPECT_EQ(Encoded(WithKey(6, "n3A"), kOld).options[6], 0x02);
    EXPECT_EQ(Encoded(WithKey(6, "n3A"), 0).options[6], 0x02);

    SettingsBlocks blocks = FactorySettingsBlocks();
    blocks.options[6] = 0x03;  // "cb3" and "n3A" bits
    blocks.options[1] = 1;     // "AF2"
    const SettingsData old = Decoded(blocks, kOld, WithKey(8, "AF1"));
    EXPECT_EQ(old.keys[0], "cb1");
    EXPECT_EQ(old.keys[5], "n3P");
    EXPECT_EQ(old.keys[7], "AF1");
    const SettingsData current = Decoded(blocks, kNew);
    EXPECT_EQ(current.keys[0], "cb3");
    EXPECT_EQ(current.keys[5], "n3A");
    EXPECT_EQ(current.keys[7], "AF2");
}

TEST(SettingsImage, DecodingLeavesTilesWhoseByteIsOutOfRange)
{
    SettingsBlocks blocks = FactorySettingsBlocks();
    blocks.options[5] = 6;
    blocks.options[1] = 2;
    const SettingsData back = Decoded(blocks, kNew, WithKey(3, "uL4"));
    EXPECT_EQ(back.keys[2], "uL4");
    EXPECT_EQ(back.keys[7], "AF1");
    EXPECT_EQ(Decoded(blocks, kNew, WithKey(8, "AF2")).keys[7], "AF2");
}

TEST(SettingsImage, DecodingPrefersCb0AndReadsTunerWithoutVersion)
{
    SettingsBlocks blocks = FactorySettingsBlocks();
    blocks.options[0] = 0x03;  // both bank bits: cb0 wins
    EXPECT_EQ(Decoded(blocks, kNew).keys[0], "cb0");
    blocks.options[0] = 0x20;  // TBWP bit without the active bit: still off
    EXPECT_EQ(Decoded(blocks, kNew).keys[1], "uP0");
    blocks.options[6] = 0x04;  // tuner by footswitch on old firmware too
    EXPECT_EQ(Decoded(blocks, kOld).keys[6], "tu3");
    blocks.options[0] = 0x80;
    EXPECT_EQ(Decoded(blocks, kOld).keys[6], "tu4");
}

TEST(SettingsImage, EveryKnownCombinationRoundTripsOnNewFirmware)
{
    const std::array<std::array<const char*, 4>, 8> codes = {{
        {"cb0", "cb1", "cb2", "cb3"},
        {"uP0", "uP1", "uP2", "uP0"},
        {"uL1", "uL3", "uL5", "uL6"},
        {"ot0", "ot1", "ot0", "ot1"},
        {"tt0", "tt1", "tt0", "tt1"},
        {"n3P", "n3c", "n3A", "n3P"},
        {"tu1", "tu2", "tu3", "tu4"},
        {"AF1", "AF2", "AF1", "AF2"},
    }};
    for (std::size_t pick = 0; pick < 4; ++pick) {
        SettingsData settings;
        for (std::size_t tile = 0; tile < 8; ++tile) settings.keys[tile] = codes[tile][pick];
        EXPECT_EQ(Decoded(Encoded(settings, kNew), kNew), settings) << pick;
    }
}

}  // namespace
}  // namespace orvel
