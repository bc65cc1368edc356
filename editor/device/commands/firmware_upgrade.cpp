#include "device/commands/firmware_upgrade.h"

#include <algorithm>
#include <array>

#include "loader/kpx2.h"

namespace orvel {

namespace {

constexpr std::size_t kTextBuffer = 256;
constexpr std::uint8_t kUnknownDigit = 255;
constexpr char kCr = '\r';

constexpr const char* kHeadLine = "KPX-2/KPX-3 firmware version:      ";
constexpr const char* kUploadLine = "Firmware version to upload: ";
constexpr const char* kUnknownHead = "KPX-2/KPX-3 firmware version:   unknown\rFirmware version to upload: ";
constexpr const char* kAskUpgrade = "Do you want to upgrade firmware?";
constexpr const char* kSameVersions = "These versions are the same.";
constexpr const char* kAskSameAgain = "Do you want to upgrade once again the same firmware?";
constexpr const char* kControllerNewer = "Firmware version in KPX-2/KPX-3 is newer than version to upgrade.";
constexpr const char* kUpgraded = "Firmware upgraded successfully to ";
constexpr const char* kUpgradedEnd = " version";
constexpr const char* kCaptionQuestion = "Question";
constexpr const char* kCaptionInformation = "Information";

// The steps of a run, as the progress shows them. kpx2 waits up to 31 s for the erase.
constexpr const char* kStepSwitch = "switching to the loader";
constexpr const char* kStepErase = "erasing the flash (up to 31 s)";
constexpr const char* kStepCrc = "checking the CRC";

std::string BlockStep(int block, int count)
{
    return "block " + std::to_string(block + 1) + " of " + std::to_string(count);
}

struct ImageDescription {
    std::string version;
    std::uint16_t block_count = 0;
};

// Asks kpx2 for the built-in image; the code of the call.
std::uint8_t DescribeImage(ImageDescription& image)
{
    std::array<char, kTextBuffer> file_name{};
    std::array<char, kTextBuffer> name{};
    std::array<char, kTextBuffer> version{};
    std::uint8_t type = 0;
    std::int32_t count = 0;
    const std::uint8_t code =
        _LFP_ZainicjowanieTypuIWersjiZPlikuBIN(file_name.data(), &type, name.data(), version.data(), &count);
    image.version.assign(version.data());
    image.block_count = static_cast<std::uint16_t>(count & 0xFFFF);
    return code;
}

// "2.25" gives 225: the first, third and fourth characters as digits.
std::uint16_t ImageVersionNumber(const std::string& version)
{
    auto digit = [&](std::size_t i) { return i < version.size() ? version[i] - '0' : 0; };
    return static_cast<std::uint16_t>(100 * digit(0) + 10 * digit(2) + digit(3));
}

// The question before the upgrade, by how the controller's version compares with the image's.
bool UserWantsUpgrade(TransferView& view, const std::array<std::uint8_t, 3>& digits, const std::string& image_version)
{
    const std::uint16_t controller = static_cast<std::uint16_t>(100 * digits[0] + 10 * digits[1] + digits[2]);
    const std::uint16_t image = ImageVersionNumber(image_version);
    const bool unknown = std::find(digits.begin(), digits.end(), kUnknownDigit) != digits.end();
    const std::string versions = kHeadLine + std::to_string(digits[0]) + "." + std::to_string(digits[1]) +
                                 std::to_string(digits[2]) + kCr + kUploadLine + image_version;
    if (controller > image && !unknown)
        return view.AskYesNo(MessageIcon::Warning, kCaptionInformation,
                             versions + kCr + kCr + kControllerNewer + kCr + kAskUpgrade);
    if (controller == image)
        return view.AskYesNo(MessageIcon::Question, kCaptionQuestion,
                             versions + kCr + kCr + kSameVersions + kCr + kAskSameAgain);
    if (unknown)
        return view.AskYesNo(MessageIcon::Question, kCaptionQuestion,
                             kUnknownHead + image_version + kCr + kCr + kAskUpgrade);
    return view.AskYesNo(MessageIcon::Question, kCaptionQuestion, versions + kCr + kCr + kAskUpgrade);
}

}  // namespace

std::optional<std::string> UploadableImageVersion()
{
    ImageDescription image;
    if (DescribeImage(image) != 0) {
        _LFP_OdinicjowanieTypuIWersjiZPlikuINumeruPortu();
        return std::nullopt;
    }
    return image.version;
}

namespace {

// The run; `declined` tells a No from an upgrade when it returns 0.
std::uint8_t Upgrade(std::uint8_t port, TransferView& view, bool& declined)
{
    declined = false;
    int position = 0;
    int maximum = 0;
    view.ShowProgressBar(true);
    view.SetProgress(0, 1);
    auto advance = [&] { view.SetProgress(++position, maximum); };
    auto finish = [&view](std::uint8_t code) {
        _LFP_OdinicjowanieTypuIWersjiZPlikuINumeruPortu();
        view.ShowProgressBar(false);
        return code;
    };

    ImageDescription image;
    if (const std::uint8_t code = DescribeImage(image); code != 0) return finish(code);
    if (const std::uint8_t code = _LFP_ZainicjowanieNumeruPortu(port); code != 0) return finish(code);
    std::uint8_t type = 0;
    std::array<std::uint8_t, 3> digits{};
    std::uint8_t loader_flag = 0;
    if (const std::uint8_t code =
            _LFP_PytanieOTypIWersjeUrzadzenia(&type, &digits[0], &digits[1], &digits[2], &loader_flag);
        code != 0)
        return finish(code);
    if (!UserWantsUpgrade(view, digits, image.version)) {
        declined = true;
        return finish(0);
    }

    // One step for the switch to the loader (when needed), the erase, each block and the end,
    // so the bar fills exactly as the run ends.
    maximum = (loader_flag == 0 ? 1 : 0) + 1 + image.block_count + 1;
    view.SetProgress(0, maximum);
    if (loader_flag == 0) {
        advance();
        view.ShowStep(kStepSwitch);
        if (const std::uint8_t code = _LFP_PrzelaczenieUrzadzeniaDoLoadera(); code != 0) return finish(code);
    }
    advance();
    view.ShowWaitingStep(kStepErase);
    if (const std::uint8_t code = _LFP_KasowanieFlashaWUrzadzeniu(); code != 0) return finish(code);
    for (int block = 0; block < image.block_count; ++block) {
        view.ShowStep(BlockStep(block, image.block_count));
        if (const std::uint8_t code = _LFP_ZapisanieBlokuDanychWUrzadzeniu(block); code != 0) return finish(code);
        advance();
    }
    view.ShowStep(kStepCrc);
    if (const std::uint8_t code = _LFP_PrzeliczenieCRCFlashaWUrzadzeniu(); code != 0) return finish(code);
    advance();
    finish(0);
    view.ShowMessage(MessageIcon::Information, kCaptionInformation, kUpgraded + image.version + kUpgradedEnd);
    return 0;
}

}  // namespace

std::uint8_t UpgradeFirmware(std::uint8_t port, TransferView& view)
{
    bool declined = false;
    return Upgrade(port, view, declined);
}

TransferOutcome FirmwareUpgradeCommand(D2XXUnit& usb, int port_box, TransferView& view)
{
    std::int32_t port = 0;
    usb.CloseDevice();
    const FtSerialBuffer& raw = usb.LastListedSerialRaw();
    const std::string serial(raw.data(), std::find(raw.begin(), raw.end(), '\0'));
    // The converter is closed again whether or not its COM number was found: kpx2 needs the port.
    if (usb.OpenBySerialNumber(serial) == kFtOk) {
        usb.GetDeviceComPortNumber(port);
        usb.CloseDevice();
    }
    if (port <= 0) {
        const std::optional<int> asked = view.AskPortNumber(port_box);
        if (!asked) return TransferOutcome::Declined;
        port = *asked;
    }
    if (port <= 0 || port > 255) return TransferOutcome::Refused;

    view.SetBusyCursor(true);
    bool declined = false;
    const std::uint8_t code = Upgrade(static_cast<std::uint8_t>(port), view, declined);
    view.SetBusyCursor(false);
    if (code == 0) return declined ? TransferOutcome::Declined : TransferOutcome::Done;
    std::array<char, kTextBuffer> text{};
    _LFP_UstalenieTekstuOpisujacegoBlad(code, text.data());
    view.ShowMessage(MessageIcon::Error, kCaptionInformation, text.data());
    return TransferOutcome::Failed;
}

}  // namespace orvel
