#include "sim/command_engine.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "sim/block_checksum.h"
#include "sim/identity.h"

namespace kpxsim {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Feed(CommandEngine& engine, const Bytes& bytes)
{
    Bytes replies;
    for (std::uint8_t byte : bytes) {
        const Bytes reply = engine.Feed(byte);
        replies.insert(replies.end(), reply.begin(), reply.end());
    }
    return replies;
}

Bytes ReadCommand(std::uint8_t address)
{
    return {0x1B, 0x02, address};
}

Bytes WriteCommand(std::uint8_t address, const Block& data, std::uint8_t checksum_flip = 0)
{
    const auto& d = data;
    return {0x1B, 0x03, address, d[0], d[1], d[2],
            d[3], d[4], d[5],    d[6], d[7], static_cast<std::uint8_t>(BlockChecksum(data) ^ checksum_flip)};
}

Bytes ReadReply(const Block& d, std::uint8_t checksum)
{
    return {0x64, d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], checksum};
}

Options Form(int model, IdentityForm form, int version)
{
    Options options;
    options.model = model;
    options.form = form;
    options.version = version;
    return options;
}

Options Given(const std::string& identity)
{
    Options options;
    options.identity = identity;
    return options;
}

std::string Identity(const Options& options)
{
    CommandEngine engine(IdentityText(options), 0, false);
    const Bytes reply = Feed(engine, {0x1B, 0x00});
    return {reply.begin(), reply.end()};
}

TEST(Identity, LongAndShortFormsAndOverride)
{
    EXPECT_EQ(Identity({}), "KPX2-3");
    EXPECT_EQ(Identity(Form(3, IdentityForm::Long, 0)), "KPX3-0");
    EXPECT_EQ(Identity(Form(3, IdentityForm::Short, 12)), "KP3-12");
    EXPECT_EQ(Identity(Form(2, IdentityForm::Short, 7)), "KP2-07");
    EXPECT_EQ(Identity(Given("KPX9-Z")), "KPX9-Z");
}

TEST(Identity, RefusesWhatNoControllerAnswers)
{
    EXPECT_THROW(IdentityText(Form(4, IdentityForm::Long, 30)), std::invalid_argument);
    EXPECT_THROW(IdentityText(Form(2, IdentityForm::Long, 35)), std::invalid_argument);
    EXPECT_THROW(IdentityText(Form(2, IdentityForm::Long, 100)), std::invalid_argument);
    EXPECT_THROW(IdentityText(Form(2, IdentityForm::Short, 100)), std::invalid_argument);
    EXPECT_THROW(IdentityText(Given("KPX2-30")), std::invalid_argument);
    EXPECT_THROW(IdentityText(Given("KPX")), std::invalid_argument);
}

TEST(CommandEngine, CurrentPresetAsTensAndUnits)
{
    CommandEngine engine("KPX2-3", 37, false);
    EXPECT_EQ(Feed(engine, {0x1B, 0x01}), (Bytes{3, 7}));
    engine.SetCurrentPreset(0);
    EXPECT_EQ(Feed(engine, {0x1B, 0x01}), (Bytes{0, 0}));
    engine.SetCurrentPreset(99);
    EXPECT_EQ(Feed(engine, {0x1B, 0x01}), (Bytes{9, 9}));
}

TEST(CommandEngine, ReadsFactoryBlocksWithChecksums)
{
    CommandEngine engine("KPX2-3", 0, false);
    EXPECT_EQ(Feed(engine, ReadCommand(0)), ReadReply({}, 0x55));
    EXPECT_EQ(Feed(engine, ReadCommand(199)), ReadReply({0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x00}, 0xD5));
    EXPECT_EQ(Feed(engine, ReadCommand(252)), ReadReply({0xFF, 0x03, 0, 0, 0, 0, 0, 0}, 0xA9));
    EXPECT_EQ(Feed(engine, ReadCommand(250)), ReadReply({}, 0x55));
}

TEST(CommandEngine, ReadOutsideTheMemoryAnswersOneByte)
{
    CommandEngine engine("KPX2-3", 0, false);
    for (std::uint8_t address : {200, 249, 254, 255}) {
        EXPECT_EQ(Feed(engine, ReadCommand(address)), Bytes{0x65}) << int{address};
        EXPECT_TRUE(engine.Idle());
    }
}

TEST(CommandEngine, WriteStoresTheBlock)
{
    CommandEngine engine("KPX2-3", 0, false);
    const Block data{0x1B, 0x02, 0x00, 0x64, 0x80, 0xDE, 0x81, 0xFF};  // escape bytes are data here
    EXPECT_EQ(Feed(engine, WriteCommand(42, data)), Bytes{0x64});
    EXPECT_EQ(engine.Memory().Read(42), data);
    EXPECT_EQ(Feed(engine, ReadCommand(42)), ReadReply(data, BlockChecksum(data)));
    EXPECT_EQ(Feed(engine, WriteCommand(253, data)), Bytes{0x64});
    EXPECT_EQ(engine.Memory().Read(253), data);
}

TEST(CommandEngine, WriteRefusals)
{
    CommandEngine engine("KPX2-3", 0, false);
    const Block data{1, 2, 3, 4, 5, 6, 7, 8};

    EXPECT_EQ(Feed(engine, WriteCommand(5, data, 0x01)), Bytes{0x66});
    EXPECT_EQ(engine.Memory().Read(5), Block{});

    EXPECT_EQ(Feed(engine, WriteCommand(200, data)), Bytes{0x65});
    EXPECT_EQ(Feed(engine, WriteCommand(254, data)), Bytes{0x65});

    engine.SetMemoryLocked(true);
    EXPECT_EQ(Feed(engine, WriteCommand(5, data)), Bytes{0x67});
    EXPECT_EQ(Feed(engine, WriteCommand(5, data, 0x01)), Bytes{0x67});  // lock is checked first
    EXPECT_EQ(engine.Memory().Read(5), Block{});

    engine.SetMemoryLocked(false);
    EXPECT_EQ(Feed(engine, WriteCommand(5, data)), Bytes{0x64});
    EXPECT_EQ(engine.Memory().Read(5), data);
}

TEST(CommandEngine, InjectedReplies)
{
    CommandEngine engine("KPX2-3", 0, false);
    const Block data{1, 2, 3, 4, 5, 6, 7, 8};

    Faults faults;
    faults.bad_checksum = true;
    engine.SetFaults(faults);
    EXPECT_EQ(Feed(engine, ReadCommand(0)), ReadReply({}, 0x55 ^ 0xFF));

    faults = {};
    faults.read_reply = 0x65;
    engine.SetFaults(faults);
    EXPECT_EQ(Feed(engine, ReadCommand(0)), Bytes{0x65});
    faults.read_reply = 0x64;
    engine.SetFaults(faults);
    EXPECT_EQ(Feed(engine, ReadCommand(0)), ReadReply({}, 0x55));

    faults = {};
    faults.write_reply = 0x68;
    engine.SetFaults(faults);
    EXPECT_EQ(Feed(engine, WriteCommand(9, data)), Bytes{0x68});
    EXPECT_EQ(engine.Memory().Read(9), Block{});

    engine.SetFaults({});
    EXPECT_EQ(Feed(engine, WriteCommand(9, data)), Bytes{0x64});
}

TEST(CommandEngine, IgnoresStrayBytesAndUnknownCommands)
{
    CommandEngine engine("KPX2-3", 37, false);
    EXPECT_EQ(Feed(engine, {0x00, 0x01, 0x02, 0x64, 0xFF}), Bytes{});
    EXPECT_EQ(Feed(engine, {0x1B, 0x07}), Bytes{});
    EXPECT_TRUE(engine.Idle());
    EXPECT_EQ(Feed(engine, {0x01}), Bytes{});  // not a command without the escape before it
    EXPECT_EQ(Feed(engine, {0x1B, 0x01}), (Bytes{3, 7}));
}

TEST(ControllerMemory, MapAndFactoryContents)
{
    ControllerMemory memory;
    EXPECT_TRUE(memory.Contains(0));
    EXPECT_TRUE(memory.Contains(199));
    EXPECT_FALSE(memory.Contains(200));
    EXPECT_FALSE(memory.Contains(249));
    EXPECT_TRUE(memory.Contains(250));
    EXPECT_TRUE(memory.Contains(253));
    EXPECT_FALSE(memory.Contains(254));
    EXPECT_THROW(memory.Read(200), std::out_of_range);
    EXPECT_THROW(memory.Write(254, {}), std::out_of_range);

    for (int preset = 0; preset < 100; ++preset) {
        EXPECT_EQ(memory.Read(preset), Block{}) << preset;
        EXPECT_EQ(memory.Read(preset + 100), (Block{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0})) << preset;
    }
    EXPECT_EQ(memory.Read(251), (Block{0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0}));
    EXPECT_EQ(memory.Read(253), (Block{0, 0, 0, 1, 2, 0, 0, 0}));

    memory.Write(253, {9, 9, 9, 9, 9, 9, 9, 9});
    memory.Write(100, {});
    memory.Reset();
    EXPECT_EQ(memory.Read(253), (Block{0, 0, 0, 1, 2, 0, 0, 0}));
    EXPECT_EQ(memory.Read(100)[0], 0x80);
}

}  // namespace
}  // namespace kpxsim
