#include "cli/terminal_view.h"

#include <algorithm>
#include <iostream>
#include <unistd.h>

namespace orvel {

namespace {

constexpr int kBarWidth = 30;
constexpr const char* kClearToEnd = "\033[K";
// A step that has run this long shows how long it has run.
constexpr auto kShowSecondsAfter = std::chrono::seconds(1);

// Message texts use a carriage return as their line break.
std::string Lines(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

}  // namespace

TerminalView::TerminalView(bool assume_yes, bool verbose, std::optional<int> port_number)
    : assume_yes_(assume_yes), verbose_(verbose), port_number_(port_number), terminal_(isatty(STDERR_FILENO) != 0)
{
}

TerminalView::~TerminalView()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        EraseLine();
    }
    wake_.notify_all();
    if (counter_.joinable()) counter_.join();
}

void TerminalView::DrawLine()
{
    if (!terminal_ || (position_ <= 0 && step_.empty())) return;
    std::string line = "\r";
    if (maximum_ > 0) {
        const int filled = std::clamp(position_ * kBarWidth / maximum_, 0, kBarWidth);
        line += "[" + std::string(filled, '#') + std::string(kBarWidth - filled, ' ') + "] " +
                std::to_string(std::clamp(position_ * 100 / maximum_, 0, 100)) + "%";
    }
    if (!step_.empty()) {
        line += (maximum_ > 0 ? " " : "") + step_;
        const auto ran = std::chrono::steady_clock::now() - step_started_;
        if (ran >= kShowSecondsAfter)
            line += " … " + std::to_string(std::chrono::duration_cast<std::chrono::seconds>(ran).count()) + " s";
    }
    std::cerr << line << kClearToEnd << std::flush;
    line_drawn_ = true;
}

void TerminalView::EraseLine()
{
    if (!line_drawn_) return;
    std::cerr << '\r' << kClearToEnd << std::flush;
    line_drawn_ = false;
}

void TerminalView::CountSeconds()
{
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        wake_.wait_for(lock, std::chrono::seconds(1));
        if (!stopping_ && line_drawn_ && !step_.empty()) DrawLine();
    }
}

void TerminalView::ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text)
{
    std::lock_guard lock(mutex_);
    EraseLine();
    std::ostream& out = icon == MessageIcon::Information ? std::cout : std::cerr;
    out << (caption.empty() ? "" : caption + ": ") << Lines(text) << std::endl;
    DrawLine();
}

bool TerminalView::AskYesNo(MessageIcon, const std::string& caption, const std::string& text)
{
    {
        std::lock_guard lock(mutex_);
        EraseLine();
    }
    std::cout << caption << ":\n" << Lines(text) << '\n';
    if (assume_yes_) {
        std::cout << "[y/n] y (--yes)" << std::endl;
        return true;
    }
    std::cout << "[y/n] " << std::flush;
    std::string answer;
    return std::getline(std::cin, answer) && (answer == "y" || answer == "Y" || answer == "yes");
}

std::optional<int> TerminalView::AskPortNumber(int)
{
    if (!port_number_) {
        std::lock_guard lock(mutex_);
        EraseLine();
        std::cerr << "orvel-cli: the converter's COM port number was not found; name it with --com N or --device PATH"
                  << std::endl;
    }
    return port_number_;
}

void TerminalView::ShowProgressBar(bool shown)
{
    std::lock_guard lock(mutex_);
    if (shown) return;  // drawn with its first position or step
    EraseLine();
    position_ = 0;
    maximum_ = 0;
    step_.clear();
}

void TerminalView::SetProgress(int position, int maximum)
{
    std::lock_guard lock(mutex_);
    position_ = position;
    maximum_ = maximum;
    DrawLine();
}

void TerminalView::ShowStep(const std::string& step)
{
    {
        std::lock_guard lock(mutex_);
        if (step != step_) step_started_ = std::chrono::steady_clock::now();
        step_ = step;
        DrawLine();
        if (terminal_ && !counter_.joinable()) counter_ = std::thread([this] { CountSeconds(); });
    }
}

void TerminalView::ControllerIdentified(const std::string& shown_identity)
{
    if (!verbose_) return;
    std::lock_guard lock(mutex_);
    EraseLine();
    std::cerr << "KPX firmware version: " << shown_identity << std::endl;
    DrawLine();
}

}  // namespace orvel
