#include "cli/follow_current.h"

#include <chrono>
#include <csignal>
#include <iostream>
#include <thread>

#include "cli/json_output.h"
#include "device/protocol/command_protocol.h"
#include "device/protocol/controller_identity.h"
#include "device/protocol/serial_port_identity.h"

namespace orvel {

namespace {

volatile std::sig_atomic_t follow_interrupted = 0;

void InterruptFollowing(int)
{
    follow_interrupted = 1;
}

constexpr std::chrono::milliseconds kFollowPollInterval{200};
constexpr std::chrono::milliseconds kFollowInterruptCheck{20};

// Waits until the next poll, or less once interrupted.
void WaitForNextPoll()
{
    const auto until = std::chrono::steady_clock::now() + kFollowPollInterval;
    while (follow_interrupted == 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(kFollowInterruptCheck);
}

// Identifies the controller the run found, on its port or converter; its identity as shown.
bool IdentifyAgain(Companion& c, std::string& shown)
{
    if (UsesSerialPort(c.link)) return QueryIdentitySerial(c.link, c.link.port_number, shown);
    std::string identity;
    if (!QueryIdentityUsb(c.link, c.link.selected_serial, identity)) return false;
    shown = ShownIdentity(identity);
    return true;
}

// A change of the controller's presence: "controller gone: " and why, "controller back: "
// and its identity; with --json {"event": "gone"} and {"event": "back", "identity": ...}.
void ShowPresence(const Companion& c, bool back, const std::string& detail)
{
    if (!c.request.json) {
        std::cout << (back ? "controller back: " : "controller gone: ") << detail << std::endl;
        return;
    }
    JsonWriter json;
    json.BeginObject();
    json.Key("event");
    json.String(back ? "back" : "gone");
    if (back) {
        json.Key("identity");
        json.String(detail);
    }
    json.EndObject();
    PrintJsonLine(json);
}

}  // namespace

void ShowCurrentPreset(const Companion& c, int preset)
{
    if (!c.request.json) {
        std::cout << "current preset: " << preset << " (bank " << preset / 10 << ", preset " << preset % 10 << ")"
                  << std::endl;
        return;
    }
    JsonWriter json;
    json.BeginObject();
    if (c.request.follow) {
        json.Key("event");
        json.String("preset");
    }
    WriteCurrentPreset(json, preset);
    json.EndObject();
    PrintJsonLine(json);
}

int FollowCurrentPreset(Companion& c)
{
    follow_interrupted = 0;
    // Only the converter found is asked again, and a line that it is gone names it.
    if (!UsesSerialPort(c.link)) c.place = "the converter " + c.link.selected_serial;
    std::signal(SIGINT, InterruptFollowing);
    std::signal(SIGTERM, InterruptFollowing);
    bool present = true;
    int shown = -1;
    while (follow_interrupted == 0) {
        std::string identity;
        if (present) {
            std::uint8_t preset = 0;
            if (!QueryCurrentPreset(c.link, preset)) {
                // One lost or garbled reply is not yet a controller gone: it must not identify
                // itself either; the next poll asks again.
                if (follow_interrupted == 0 && !IdentifyAgain(c, identity)) {
                    present = false;
                    shown = -1;
                    ShowPresence(c, false, NoAnswerText(c));
                }
            } else if (preset != shown) {
                shown = preset;
                ShowCurrentPreset(c, shown);
            }
        } else if (IdentifyAgain(c, identity)) {
            present = true;
            ShowPresence(c, true, identity);
            continue;
        }
        WaitForNextPoll();
    }
    return 0;
}

}  // namespace orvel
