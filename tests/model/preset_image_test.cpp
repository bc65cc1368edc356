#include "model/preset_image.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

PresetImage Encoded(const PresetData& preset)
{
    PresetImage image{};
    EXPECT_TRUE(EncodePreset(preset, image));
    return image;
}

PresetData Decoded(const PresetImage& image)
{
    PresetData preset;
    DecodePreset(image, preset);
    return preset;
}

TEST(PresetImage, DefaultPresetEncodesToDefaultImage)
{
    const PresetImage expected = {0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0};
    EXPECT_EQ(DefaultPresetImage(), expected);
    EXPECT_EQ(Encoded(PresetData{}), expected);
    EXPECT_EQ(Decoded(expected), PresetData{});
}

TEST(PresetImage, FlagsLandOnTheirBits)
{
    PresetData preset;
    preset.buffer = true;
    preset.loops[5] = true;     // loop 6 -> byte 0 bit 6
    preset.switches[0] = true;  // switch 1 -> byte 1 bit 0
    preset.switches[3] = true;  // switch 4 -> byte 1 bit 3
    preset.aux[1] = true;       // AUX 2 -> byte 1 bit 5
    const PresetImage image = Encoded(preset);
    EXPECT_EQ(image[0], 0x41);
    EXPECT_EQ(image[1], 0x29);
    EXPECT_EQ(Decoded(image), preset);

    PresetImage stray = DefaultPresetImage();
    stray[0] = 0x80;  // bit 7 and bits 6-7 of byte 1 mean nothing
    stray[1] = 0xC0;
    EXPECT_EQ(Decoded(stray), PresetData{});
}

TEST(PresetImage, ProgramAndControlCodes)
{
    PresetData preset;
    preset.modifier = "MIDI";
    preset.midi1 = "1";
    preset.midi2 = "128";
    preset.midi3_pc = "007";  // leading zeros read as the number
    preset.ctrls = {"0", "127", "128", "tog", "unu", "64", "00"};
    const PresetImage image = Encoded(preset);
    const PresetImage expected = {0, 0, 1, 128, 12, 0, 0, 0, 0, 127, 0x81, 0xDE, 0x80, 64, 0, 7};
    EXPECT_EQ(image, expected);

    PresetData back = Decoded(image);
    EXPECT_EQ(back.midi3_pc, "7");
    EXPECT_EQ(back.ctrls, (std::array<std::string, 7>{"0", "127", "128", "tog", "unu", "64", "0"}));
    EXPECT_EQ(back.midi2, "128");
}

TEST(PresetImage, UnusedIsZeroForProgramsButHexEightyForControls)
{
    const PresetImage image = Encoded(PresetData{});
    EXPECT_EQ(image[2], 0);
    EXPECT_EQ(image[15], 0);
    EXPECT_EQ(image[8], 0x80);
    PresetImage raw = DefaultPresetImage();
    raw[2] = 0x80;  // 128 in a program byte is program 128, not "unu"
    raw[8] = 0;     // 0 in a control byte is the value 0
    EXPECT_EQ(Decoded(raw).midi1, "128");
    EXPECT_EQ(Decoded(raw).ctrls[0], "0");
}

TEST(PresetImage, ModifierBytes)
{
    for (const char* modifier : {"PRESET", "LOOP", "SWITCH", "MIDI"}) {
        PresetData preset;
        preset.modifier = modifier;
        EXPECT_EQ(Decoded(Encoded(preset)).modifier, modifier);
    }
    PresetImage image = DefaultPresetImage();
    const std::pair<std::uint8_t, const char*> cases[] = {{8, "PRESET"},  {0x0B, "LOOP"},   {0x0E, "SWITCH"},
                                                          {0x0C, "MIDI"}, {0x01, "PRESET"}, {0x07, "PRESET"}};
    for (const auto& [byte, expected] : cases) {
        image[4] = byte;
        EXPECT_EQ(Decoded(image).modifier, expected) << int(byte);
    }
}

TEST(PresetImage, DecodeKeepsNameAndBankFunctionAndIgnoresSpareBytes)
{
    PresetData preset;
    preset.name = "Lead";
    preset.bank_function = true;
    PresetImage image = DefaultPresetImage();
    image[5] = image[6] = image[7] = 0xFF;
    image[3] = 200;  // out of range values still read as their number
    DecodePreset(image, preset);
    EXPECT_EQ(preset.name, "Lead");
    EXPECT_TRUE(preset.bank_function);
    EXPECT_EQ(preset.midi2, "200");
}

TEST(PresetImage, EncodeIgnoresNameAndBankFunctionAndZeroesSpareBytes)
{
    PresetData preset;
    preset.name = "a name that is far too long";
    preset.bank_function = true;
    EXPECT_EQ(Encoded(preset), DefaultPresetImage());
}

struct FaultCase {
    const char* what;
    void (*spoil)(PresetData&);
    int column;
    const char* field;
    const char* text;
};

TEST(PresetImage, EncodeRefusesTextsWithoutAByteAndNamesTheField)
{
    const FaultCase cases[] = {
        {"empty program", [](PresetData& p) { p.midi1 = ""; }, 15, "MIDI1", ""},
        {"letters", [](PresetData& p) { p.midi2 = "abc"; }, 16, "MIDI2", "abc"},
        {"negative program", [](PresetData& p) { p.midi3_pc = "-1"; }, 17, "MIDI3", "-1"},
        {"program 256", [](PresetData& p) { p.midi1 = "256"; }, 15, "MIDI1", "256"},
        {"program tog", [](PresetData& p) { p.midi1 = "tog"; }, 15, "MIDI1", "tog"},
        {"control 256", [](PresetData& p) { p.ctrls[0] = "256"; }, 18, "Ctrl 1", "256"},
        {"signed control", [](PresetData& p) { p.ctrls[6] = "+5"; }, 24, "Ctrl 7", "+5"},
        {"spaced control", [](PresetData& p) { p.ctrls[2] = " 5"; }, 20, "Ctrl 3", " 5"},
        {"capital unu", [](PresetData& p) { p.ctrls[3] = "UNU"; }, 21, "Ctrl 4", "UNU"},
        {"huge number", [](PresetData& p) { p.ctrls[4] = "99999999999999999999"; }, 22, "Ctrl 5",
         "99999999999999999999"},
        {"bad modifier", [](PresetData& p) { p.modifier = "preset"; }, 2, "TYPE", "preset"},
        {"empty modifier", [](PresetData& p) { p.modifier = ""; }, 2, "TYPE", ""},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.what);
        PresetData preset;
        c.spoil(preset);
        PresetImage image{};
        image.fill(0x5A);
        PresetFieldFault fault;
        EXPECT_FALSE(EncodePreset(preset, image, &fault));
        EXPECT_EQ(fault.column, c.column);
        EXPECT_EQ(fault.field, c.field);
        EXPECT_EQ(fault.text, c.text);
        EXPECT_EQ(image[0], 0x5A);                  // left untouched
        EXPECT_FALSE(EncodePreset(preset, image));  // no fault record wanted
    }
}

TEST(PresetImage, EncodeReportsTheFirstBadFieldInColumnOrder)
{
    PresetData preset;
    preset.ctrls[0] = "x";
    preset.midi2 = "y";
    PresetImage image{};
    PresetFieldFault fault;
    EXPECT_FALSE(EncodePreset(preset, image, &fault));
    EXPECT_EQ(fault.field, "MIDI2");
}

// What the controller reports must always go back to it: each byte of each field, decoded and
// encoded again, is accepted and gives the byte the encoding rules make of its text.
TEST(PresetImage, EveryByteAControllerHoldsEncodesBack)
{
    for (int value = 0; value <= 255; ++value) {
        const auto b = static_cast<std::uint8_t>(value);
        SCOPED_TRACE(value);
        PresetImage image = DefaultPresetImage();
        image[0] = b;                                // buffer and loops; bit 7 is spare
        image[1] = b;                                // switches and AUX; bits 6 and 7 are spare
        image[2] = b;                                // MIDI1
        image[3] = b;                                // MIDI2
        image[4] = b;                                // modifier
        for (int i = 8; i <= 14; ++i) image[i] = b;  // controls
        image[15] = b;                               // MIDI3 program

        PresetImage again{};
        ASSERT_TRUE(EncodePreset(Decoded(image), again));
        EXPECT_EQ(again[0], b & 0x7F);
        EXPECT_EQ(again[1], b & 0x3F);
        // MIDI 1 and 2 have no program above 128; 0 is "unu" and stays 0.
        const std::uint8_t program12 = value > 128 ? 128 : b;
        EXPECT_EQ(again[2], program12);
        EXPECT_EQ(again[3], program12);
        std::uint8_t modifier = 0;
        if ((b & 0x08) != 0) modifier = (b & 1) ? 9 : (b & 2) ? 10 : (b & 4) ? 12 : 0;
        EXPECT_EQ(again[4], modifier);
        // 128 is "unu" and comes back as 128; 129 is the value 128 and comes back as 129.
        for (int i = 8; i <= 14; ++i) EXPECT_EQ(again[i], b);
        EXPECT_EQ(again[15], b);
    }
}

TEST(PresetImage, EncodingFollowsTheControllersRulesBeyondTheGridsRange)
{
    PresetData preset;
    preset.midi1 = "200";     // clamped to 128
    preset.midi2 = "0";       // the byte of "unu"
    preset.midi3_pc = "255";  // not clamped
    preset.ctrls = {"129", "222", "130", "255", "0", "128", "unu"};
    const PresetImage image = Encoded(preset);
    EXPECT_EQ(image[2], 128);
    EXPECT_EQ(image[3], 0);
    EXPECT_EQ(image[15], 255);
    EXPECT_EQ((std::array<std::uint8_t, 7>{image[8], image[9], image[10], image[11], image[12], image[13], image[14]}),
              (std::array<std::uint8_t, 7>{129, 222, 130, 255, 0, 0x81, 0x80}));
}

TEST(PresetImage, EveryValidValueSurvivesARoundTrip)
{
    for (int value = 1; value <= 128; ++value) {
        PresetData preset;
        preset.midi3_pc = std::to_string(value);
        EXPECT_EQ(Decoded(Encoded(preset)).midi3_pc, preset.midi3_pc);
    }
    for (int value = 0; value <= 128; ++value) {
        PresetData preset;
        preset.ctrls[6] = std::to_string(value);
        EXPECT_EQ(Decoded(Encoded(preset)).ctrls[6], preset.ctrls[6]);
    }
}

}  // namespace
}  // namespace orvel
