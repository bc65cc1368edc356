#include "terminal_view.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>

namespace orvel {

namespace {

constexpr int kBarWidth = 40;

// Message texts use a carriage return as their line break.
std::string Lines(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

}  // namespace

TerminalView::TerminalView(bool assume_yes, std::optional<int> port_number)
    : assume_yes_(assume_yes), port_number_(port_number), terminal_(isatty(STDERR_FILENO) != 0) {}

void TerminalView::EndProgressLine() {
    if (!bar_drawn_) return;
    std::cerr << '\n';
    bar_drawn_ = false;
}

void TerminalView::ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) {
    EndProgressLine();
    last_icon_ = icon;
    std::ostream& out = icon == MessageIcon::Information ? std::cout : std::cerr;
    out << (caption.empty() ? "" : caption + ": ") << Lines(text) << std::endl;
}

bool TerminalView::AskYesNo(MessageIcon, const std::string& caption, const std::string& text) {
    EndProgressLine();
    std::cout << caption << ":\n" << Lines(text) << '\n';
    if (assume_yes_) {
        std::cout << "[y/n] y (--yes)" << std::endl;
        return true;
    }
    std::cout << "[y/n] " << std::flush;
    std::string answer;
    const bool yes = std::getline(std::cin, answer) && (answer == "y" || answer == "Y" || answer == "yes");
    declined_ = !yes;
    return yes;
}

std::optional<int> TerminalView::AskPortNumber(int) {
    if (!port_number_) {
        std::cerr << "The converter's COM port number was not found; name it with --com N." << std::endl;
        return std::nullopt;
    }
    return port_number_;
}

void TerminalView::ShowProgressBar(bool shown) {
    if (!shown) EndProgressLine();
}

void TerminalView::SetProgress(int position, int maximum) {
    if (!terminal_ || maximum <= 0) return;
    const int filled = std::clamp(position * kBarWidth / maximum, 0, kBarWidth);
    std::cerr << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] "
              << std::clamp(position * 100 / maximum, 0, 100) << "%" << std::flush;
    bar_drawn_ = true;
}

void TerminalView::ControllerIdentified(const std::string& shown_identity) {
    EndProgressLine();
    std::cerr << "KPX firmware version: " << shown_identity << std::endl;
}

}  // namespace orvel
