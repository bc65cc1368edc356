// Feeds arbitrary controller replies to the protocol operations. The input is a script: a byte
// choosing the operation, a byte for its address or preset number, then the bytes the
// controller answers with, read one at a time through a scripted transport that times out once
// they run out; operations follow one another until the input ends. Each operation must read no
// more than its reply can hold, and every failure must carry a code: a line failure (20, 21),
// a wrong checksum (102) or the controller's own reply byte. What a read decodes must encode
// again, so that a set-up read from a controller can be written back to it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "device/converter/d2xx_unit.h"
#include "device/converter/usb_converters.h"
#include "device/protocol/command_protocol.h"
#include "device/protocol/controller_identity.h"
#include "model/preset_image.h"
#include "model/settings_image.h"

namespace {

using namespace orvel;

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

// The controller's side of the line: the fuzzer's bytes, one read at a time; once they run
// out every read times out.
class ScriptedTransport final : public Transport {
public:
    const std::uint8_t* next = nullptr;
    const std::uint8_t* end = nullptr;
    std::size_t reads = 0;  // bytes taken by the current operation
    std::uint8_t last_read = 0;
    bool open = false;

    bool Open(const LinkAddress&, LinkPace) override
    {
        open = true;
        return true;
    }
    bool Close() override
    {
        open = false;
        return true;
    }
    bool Send(std::uint8_t) override
    {
        Check(open);
        return true;
    }
    bool Receive(std::uint8_t& byte) override
    {
        Check(open);
        if (next >= end) return false;
        last_read = *next++;
        byte = last_read;
        ++reads;
        return true;
    }
};

class NoMessages final : public UserMessages {
public:
    void ShowMessage(MessageIcon, const std::string&, const std::string&) override {}
};

// A failed exchange names its cause: the line, the checksum, or the reply byte itself.
void CheckFailure(const ScriptedTransport& line, std::uint8_t code)
{
    Check(code == kCodeNotSent || code == kCodeNotReceived || code == kCodeChecksum || code == line.last_read);
    Check(!ReplyCodeText(code).empty());
}

constexpr std::uint8_t kUnset = 0xEE;  // no reply ends up as this code unless it read 0xEE

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static NoMessages messages;
    static UsbConverters unused;  // the link's converter layer; the script stands in for the line
    static D2XXUnit usb(unused, messages);
    auto scripted = std::make_unique<ScriptedTransport>();
    ScriptedTransport& line = *scripted;
    line.next = data;
    line.end = data + size;
    DeviceLink link(usb, TransportKind::UsbConverter, std::move(scripted));
    link.selected_serial = "FUZZ";
    Check(OpenLink(link, 1, link.selected_serial));
    LastReadImages last_read{};

    while (line.end - line.next >= 2) {
        const std::uint8_t operation = *line.next++;
        const std::uint8_t argument = *line.next++;
        line.reads = 0;
        std::uint8_t code = kUnset;
        switch (operation % 7) {
        case 0: {  // read a block: status, 8 bytes, checksum
            Block bytes{};
            bytes.fill(0xA5);
            const Block before = bytes;
            if (ReadBlock(link, argument, code, bytes)) {
                Check(argument < kFirstRefusedAddress && line.reads == 10);
                Check(BlockChecksum(bytes) == line.last_read);
            } else if (argument >= kFirstRefusedAddress) {
                Check(code == kUnset && line.reads == 0);
            } else {
                Check(bytes == before);
                CheckFailure(line, code);
            }
            Check(line.reads <= 10);
            break;
        }
        case 1: {  // write a block: one reply byte
            const Block bytes{argument, 1, 2, 3, 4, 5, 6, 7};
            if (!WriteBlock(link, argument, code, bytes) && argument < kFirstRefusedAddress) CheckFailure(line, code);
            Check(line.reads <= 1);
            break;
        }
        case 2: {  // read a preset: two blocks; what it decodes encodes again
            PresetData record;
            record.name = "kept";
            if (ReadPreset(link, argument, code, record, last_read)) {
                Check(argument < kPresetCount && record.name == "kept");
                PresetImage image{};
                Check(EncodePreset(record, image));
                // The encoding keeps what the controller uses of every byte but MIDI 1 and 2,
                // which stop at 128.
                for (int i = 8; i < 16; ++i) Check(image[i] == last_read[argument][i]);
            } else if (argument < kPresetCount) {
                CheckFailure(line, code);
            }
            Check(line.reads <= 20);
            break;
        }
        case 3: {  // write a preset: a reply byte a half
            PresetData record;
            record.midi1 = std::to_string(argument);
            if (!WritePreset(link, argument, code, record) && argument < kPresetCount) CheckFailure(line, code);
            Check(line.reads <= 2);
            break;
        }
        case 4: {  // read settings blocks and write them back
            SettingsBlocks blocks;
            if (ReadBlock(link, kBlockCtrlNumbers, code, blocks.ctrl_numbers) &&
                ReadBlock(link, kBlockOptions, code, blocks.options)) {
                SettingsData settings;
                DecodeSettings(blocks, argument, settings);
                SettingsBlocks again;
                Check(EncodeSettings(settings, argument, again));
                Check(again.ctrl_numbers ==
                      Block({blocks.ctrl_numbers[0], blocks.ctrl_numbers[1], blocks.ctrl_numbers[2],
                             blocks.ctrl_numbers[3], blocks.ctrl_numbers[4], blocks.ctrl_numbers[5],
                             blocks.ctrl_numbers[6], 0}));
            } else {
                CheckFailure(line, code);
            }
            Check(line.reads <= 20);
            break;
        }
        case 5: {  // identify: six characters, on a line of its own
            CloseLink(link);
            std::string identity;
            const std::uint8_t version_before = link.firmware_version;
            if (QueryIdentity(line, LinkAddress{1, link.selected_serial}, link.firmware_version, identity)) {
                Check(identity.size() == kIdentityLength);
                Check(FirmwareVersionOf(identity) == link.firmware_version);
                Check(ShownIdentity(identity).size() >= kIdentityLength);
            } else {
                Check(link.firmware_version == version_before);
            }
            Check(!line.open && line.reads <= kIdentityLength);
            Check(OpenLink(link, 1, link.selected_serial));
            break;
        }
        case 6: {  // current preset: two digits, on a line of its own
            CloseLink(link);
            std::uint8_t preset = argument;
            if (!QueryCurrentPreset(link, preset))
                Check(preset == argument);
            else
                Check(preset < kPresetCount);
            Check(!line.open && line.reads <= 2);
            Check(OpenLink(link, 1, link.selected_serial));
            break;
        }
        }
    }
    CloseLink(link);
    return 0;
}
