#include "ui/rules/preview_rules.h"

#include <cmath>
#include <vector>

#include "model/model_constants.h"
#include "model/settings_constants.h"
#include "ui/rules/window_layout.h"

namespace orvel {

namespace {

constexpr int kBankDownBox = 4;
constexpr int kBankUpBox = 9;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte offsets where the label's code points start, and its end.
std::vector<std::size_t> CharacterStarts(const std::string& text)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!IsContinuationByte(text[i])) starts.push_back(i);
    starts.push_back(text.size());
    return starts;
}

}  // namespace

std::optional<ShownDigits> PreviewDigits(std::uint8_t bank_digit, std::uint8_t preset_digit)
{
    if (bank_digit > 9 || preset_digit > 9) return std::nullopt;
    return ShownDigits{bank_digit, preset_digit};
}

PreviewPoint PreviewBoxOrigin(int k)
{
    if (k < 5) return {kPreviewLowerRowX + kPreviewBoxStep * k, kPreviewLowerRowY};
    return {kPreviewUpperRowX + kPreviewBoxStep * (k - 5), kPreviewUpperRowY};
}

bool PreviewBoxActive(int k, std::uint8_t preset_digit)
{
    return (k + 1) % 10 == preset_digit;
}

int PreviewTextPoints(double screen_dpi)
{
    if (screen_dpi <= 0) screen_dpi = kDesignDpi;
    return static_cast<int>(std::lround(kDesignDpi / screen_dpi * kPreviewTextPoints));
}

std::array<std::string, kPreviewBoxCount> PreviewLabels(const PresetTable& table, std::uint8_t bank_digit,
                                                        const std::string& tile1, const std::string& tile8)
{
    std::array<std::string, kPreviewBoxCount> labels;
    int first = -1;
    for (int row = kHeaderRowCount; row < kTableRowCount; ++row) {
        const auto number = table.PresetNumberOfRow(row);
        if (number && *number / 10 == bank_digit) {
            first = row;
            break;
        }
    }
    if (first < 0) return labels;
    for (int k = 0; k < kPreviewBoxCount; ++k) labels[static_cast<std::size_t>(k)] = table.GetRow(first + k).name;
    if ((tile1 == kBankModeUpDown || tile1 == kBankModeUpDownRecall) && tile8 != kAuxFunction2) {
        labels[kBankDownBox] = kBankDownLabel;
        labels[kBankUpBox] = kBankUpLabel;
    }
    return labels;
}

WrappedLabel WrapPreviewLabel(const std::string& label)
{
    const std::vector<std::size_t> starts = CharacterStarts(label);
    const std::size_t characters = starts.size() - 1;
    std::size_t split = std::min(characters, kPreviewFirstLineMax);
    for (std::size_t i = 0; i < split; ++i) {
        if (label[starts[i]] == ' ') {
            split = i;
            break;
        }
    }
    WrappedLabel wrapped;
    wrapped.first = label.substr(0, starts[split]);
    std::size_t rest = starts[split];
    if (rest < label.size() && label[rest] == ' ') ++rest;
    wrapped.second = label.substr(rest);
    return wrapped;
}

int PreviewCentredX(int box_x, int text_width)
{
    return box_x + (kPreviewBoxWidth - text_width) / 2;
}

}  // namespace orvel
