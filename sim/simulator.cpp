// The simulator's thread: it reads what the editor sends on the pseudo-terminal, lets each
// byte arrive at the pace of the line, hands it to the command engine and sends the replies
// back, each at its own time on the line, through whatever faults are switched on.
//
// The command engine is the only engine today; the firmware loader will be a second one
// beside it, taking the bytes that arrive while the controller runs its loader.
#include "simulator.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <span>
#include <stdexcept>
#include <thread>

#include "command_engine.h"
#include "controller_constants.h"
#include "deadline_timer.h"
#include "identity.h"
#include "line_pacer.h"
#include "pty_line.h"
#include "wake_signal.h"

namespace kpxsim {

namespace {

// Before the line vanishes after its last allowed byte, the editor gets this long to take the
// bytes still waiting on its side (a hang-up discards them); we look again this often.
constexpr std::chrono::milliseconds kVanishDrainLimit{500};
constexpr std::chrono::milliseconds kVanishDrainRecheck{1};

struct TimedByte {
    std::uint8_t byte;
    Clock::time_point when;  // arrival (incoming) or end of transmission (outgoing)
    bool cleared = false;    // outgoing: the faults already let it through
};

void CheckPreset(std::uint8_t preset) {
    if (preset >= wire::kPresetCount)
        throw std::invalid_argument("kpx-sim: a preset number is 0 to 99");
}

std::string CheckedIdentity(const Options& options) {
    CheckPreset(options.current_preset);
    return IdentityText(options);
}

std::chrono::nanoseconds CharacterTime(bool paced) {
    return paced ? wire::kCharacterTime : std::chrono::nanoseconds{0};
}

}  // namespace

struct Simulator::Impl {
    explicit Impl(const Options& options);
    ~Impl();

    void Run();
    void ReadFromLine(Clock::time_point now);
    void DeliverArrivedBytes(Clock::time_point now);
    void SendDueBytes(Clock::time_point now);
    void CheckVanishing(Clock::time_point now);
    void WaitForWork(Clock::time_point now);
    void HangUp();  // with the mutex held

    enum class Verdict { Send, Drop };
    Verdict PassFaults(TimedByte& byte);

    // Shared with the caller's threads, guarded by mutex.
    mutable std::mutex mutex;
    std::condition_variable vanished_changed;
    CommandEngine engine;
    Faults faults;
    std::vector<std::uint8_t> received;
    bool stop_requested = false;
    bool vanish_requested = false;
    bool vanished = false;

    // Fixed at construction.
    const bool check_speed;
    PtyLine line;  // its descriptors are used and closed by the thread only
    const std::string slave_path;
    WakeSignal wake;
    DeadlineTimer timer;

    // The thread's own.
    LinePacer inbound;
    LinePacer outbound;
    std::deque<TimedByte> arriving;
    std::deque<TimedByte> departing;
    bool output_blocked = false;
    std::optional<Clock::time_point> vanish_by;  // the last allowed byte went out

    std::thread thread;  // last: starts once everything above exists
};

Simulator::Impl::Impl(const Options& options)
    : engine(CheckedIdentity(options), options.current_preset, options.memory_locked),
      check_speed(options.check_speed),
      slave_path(line.SlavePath()),
      inbound(CharacterTime(options.paced)),
      outbound(CharacterTime(options.paced)),
      thread([this] { Run(); }) {}

Simulator::Impl::~Impl() {
    {
        std::lock_guard lock(mutex);
        stop_requested = true;
    }
    wake.Raise();
    thread.join();
}

void Simulator::Impl::Run() {
    for (;;) {
        {
            std::lock_guard lock(mutex);
            if (stop_requested) return;
            if (vanish_requested && !vanished) HangUp();
        }
        const Clock::time_point now = Clock::now();
        DeliverArrivedBytes(now);
        SendDueBytes(now);
        CheckVanishing(now);
        WaitForWork(now);
    }
}

void Simulator::Impl::ReadFromLine(Clock::time_point now) {
    std::array<std::uint8_t, 256> buffer{};
    const ssize_t count = ::read(line.MasterFd(), buffer.data(), buffer.size());
    if (count <= 0) return;
    const auto bytes = std::span(buffer).first(static_cast<std::size_t>(count));
    {
        std::lock_guard lock(mutex);
        received.insert(received.end(), bytes.begin(), bytes.end());
    }
    // Bytes sent at another speed reach the controller as line noise; it ignores them.
    if (check_speed) {
        const std::optional<unsigned> speed = line.EditorSpeed();
        if (speed && *speed != wire::kLineSpeed) return;
    }
    for (std::uint8_t byte : bytes) arriving.push_back({byte, inbound.Arrival(now)});
}

void Simulator::Impl::DeliverArrivedBytes(Clock::time_point now) {
    while (!arriving.empty() && arriving.front().when <= now) {
        const TimedByte incoming = arriving.front();
        arriving.pop_front();
        std::vector<std::uint8_t> reply;
        {
            std::lock_guard lock(mutex);
            reply = engine.Feed(incoming.byte);
        }
        // The controller answers the moment the last byte of a command has arrived.
        for (std::uint8_t byte : reply) departing.push_back({byte, outbound.Arrival(incoming.when)});
    }
}

Simulator::Impl::Verdict Simulator::Impl::PassFaults(TimedByte& outgoing) {
    if (outgoing.cleared) return Verdict::Send;
    std::lock_guard lock(mutex);
    if (vanish_by || faults.silent) return Verdict::Drop;
    if (faults.stop_after) {
        if (*faults.stop_after == 0) return Verdict::Drop;
        --*faults.stop_after;
    }
    if (faults.vanish_after) {
        if (*faults.vanish_after == 0) return Verdict::Drop;
        --*faults.vanish_after;
    }
    outgoing.cleared = true;
    return Verdict::Send;
}

void Simulator::Impl::SendDueBytes(Clock::time_point now) {
    while (line.IsOpen() && !output_blocked && !departing.empty() && departing.front().when <= now) {
        TimedByte& outgoing = departing.front();
        if (PassFaults(outgoing) == Verdict::Send) {
            const ssize_t written = ::write(line.MasterFd(), &outgoing.byte, 1);
            if (written < 0 && (errno == EAGAIN || errno == EINTR)) {
                output_blocked = true;  // the editor's side is full: wait until it reads
                return;
            }
        }
        departing.pop_front();
    }
}

void Simulator::Impl::CheckVanishing(Clock::time_point now) {
    std::lock_guard lock(mutex);
    if (vanished) return;
    if (!vanish_by && faults.vanish_after == 0u) vanish_by = now + kVanishDrainLimit;
    if (vanish_by && (now >= *vanish_by || !line.HasUnreadOutput())) HangUp();
}

void Simulator::Impl::WaitForWork(Clock::time_point now) {
    std::optional<Clock::time_point> deadline;
    const auto consider = [&deadline](Clock::time_point when) {
        deadline = deadline ? std::min(*deadline, when) : when;
    };
    if (!arriving.empty()) consider(arriving.front().when);
    if (!departing.empty() && !output_blocked) consider(departing.front().when);
    if (vanish_by) consider(std::min(*vanish_by, now + kVanishDrainRecheck));
    timer.Arm(deadline);

    std::array<pollfd, 3> fds{{{wake.Fd(), POLLIN, 0}, {timer.Fd(), POLLIN, 0}, {-1, 0, 0}}};
    nfds_t count = 2;
    if (line.IsOpen()) {
        fds[2] = {line.MasterFd(), static_cast<short>(POLLIN | (output_blocked ? POLLOUT : 0)), 0};
        count = 3;
    }
    if (::poll(fds.data(), count, -1) < 0) return;  // EINTR: go round again

    if (fds[0].revents & POLLIN) wake.Clear();
    if (fds[1].revents & POLLIN) timer.Clear();
    if (count == 3) {
        const short events = fds[2].revents;
        if (events & POLLOUT) output_blocked = false;
        if (events & POLLIN) {
            ReadFromLine(Clock::now());
        } else if (events & (POLLHUP | POLLERR | POLLNVAL)) {
            // Cannot happen while our own slave descriptor is open; never spin on it.
            std::lock_guard lock(mutex);
            HangUp();
        }
    }
}

void Simulator::Impl::HangUp() {
    line.Close();
    vanished = true;
    vanish_by.reset();
    arriving.clear();
    departing.clear();
    output_blocked = false;
    vanished_changed.notify_all();
}

Simulator::Simulator(const Options& options) : impl_(std::make_unique<Impl>(options)) {}

Simulator::~Simulator() = default;

const std::string& Simulator::SlavePath() const { return impl_->slave_path; }

void Simulator::SetCurrentPreset(std::uint8_t preset) {
    CheckPreset(preset);
    std::lock_guard lock(impl_->mutex);
    impl_->engine.SetCurrentPreset(preset);
}

void Simulator::SetMemoryLocked(bool locked) {
    std::lock_guard lock(impl_->mutex);
    impl_->engine.SetMemoryLocked(locked);
}

void Simulator::SetFaults(const Faults& faults) {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->faults = faults;
        impl_->engine.SetFaults(faults);
    }
    impl_->wake.Raise();
}

void Simulator::Vanish() {
    std::unique_lock lock(impl_->mutex);
    impl_->vanish_requested = true;
    impl_->wake.Raise();
    impl_->vanished_changed.wait(lock, [this] { return impl_->vanished; });
}

Block Simulator::ReadMemory(std::uint8_t address) const {
    std::lock_guard lock(impl_->mutex);
    return impl_->engine.Memory().Read(address);
}

void Simulator::WriteMemory(std::uint8_t address, const Block& data) {
    std::lock_guard lock(impl_->mutex);
    impl_->engine.Memory().Write(address, data);
}

void Simulator::ResetMemory() {
    std::lock_guard lock(impl_->mutex);
    impl_->engine.Memory().Reset();
}

std::size_t Simulator::BytesReceived() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->received.size();
}

std::vector<std::uint8_t> Simulator::Received() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->received;
}

void Simulator::ClearReceived() {
    std::lock_guard lock(impl_->mutex);
    impl_->received.clear();
}

}  // namespace kpxsim
