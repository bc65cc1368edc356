// The simulator's thread: it reads what the editor sends on the pseudo-terminal, lets each
// byte arrive at the pace of the line, hands it to the command engine or the loader engine
// and sends the replies back, each at its own time on the line, through whatever faults are
// switched on.
//
// Line speeds: a pseudo-terminal carries bytes, not bits, so the speed a byte travels at is
// the speed the editor's side is set to when we take it off the line (TCGETS2 on the master
// reports the slave's settings). A byte that holds the line at space for 10 ms or more at that
// speed is a break (the loader library's zero byte at 500 bit/s: 20 ms); any other byte not at
// the speed the controller listens at is noise. (A pseudo-terminal has no break condition of
// its own: tcsendbreak() on it does nothing the master could see.)
//
// Taking bytes off the line in time: the kernel hands the editor's bytes to the master from a
// worker, which a busy system can hold up for many milliseconds, long enough for the editor to
// set its next speed. So the master runs in packet mode with EXTPROC set on the line: every
// flush of a queue and every change of the settings on the editor's side wakes us at once, in
// the editor's own call. We then note the speed first and read everything the editor wrote
// before it (a read on the master waits for the worker). The loader library flushes its
// queues before it closes the port, and sets a new speed only a port delay (10 ms) after it
// has opened it again, so its bytes are read at the speed they went at. The thread runs at the
// highest priority the system allows it.
//
// The worker itself may still be held up longer than that (it runs at an ordinary priority):
// the loader's break byte, written at 500 bit/s, then first reaches us after the editor has set
// 9600 bit/s, and would be taken as noise. So when the line was set to a speed at which the
// first byte read afterwards is a break, that byte is taken at that speed, whatever the line is
// set to by the time it is read. The loader library sends exactly one byte at such a speed.
#include "sim/simulator.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <poll.h>
#include <span>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "sim/command_engine.h"
#include "sim/controller_constants.h"
#include "sim/deadline_timer.h"
#include "sim/identity.h"
#include "sim/line_timing.h"
#include "sim/loader_engine.h"
#include "sim/pty_line.h"
#include "sim/wake_signal.h"

namespace kpxsim {

namespace {

// Before the line vanishes after its last allowed byte, the editor gets this long to take the
// bytes still waiting on its side (a hang-up discards them); we look again this often.
constexpr std::chrono::milliseconds kVanishDrainLimit{500};
constexpr std::chrono::milliseconds kVanishDrainRecheck{1};

void CheckPreset(std::uint8_t preset)
{
    if (preset >= wire::kPresetCount) throw std::invalid_argument("kpx-sim: a preset number is 0 to 99");
}

// Packet mode on the master, EXTPROC on the line: flushes of the editor's queues and changes
// of its settings wake the master as they happen. False when the system refuses.
bool WakeOnEditorSettings(int master_fd)
{
    struct termios settings {};
    if (::tcgetattr(master_fd, &settings) != 0) return false;
    settings.c_lflag |= EXTPROC;
    int on = 1;
    return ::tcsetattr(master_fd, TCSANOW, &settings) == 0 && ::ioctl(master_fd, TIOCPKT, &on) == 0;
}

// The simulator stands for hardware: it should answer when the line asks, not when the
// scheduler gets round to it. Where raising is not allowed, nothing changes.
void RaiseThreadPriority()
{
    constexpr int kHighestPriority = -20;
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kHighestPriority);
}

std::string CheckedIdentity(const Options& options)
{
    CheckPreset(options.current_preset);
    return IdentityText(options);
}

}  // namespace

struct Simulator::Impl {
    struct TimedByte {
        std::uint8_t byte;
        Clock::time_point when;  // arrival (incoming) or end of transmission (outgoing)
        bool cleared = false;    // outgoing: the faults already let it through
        unsigned speed = 0;      // incoming: the editor's line speed when it was read, 0 unknown
    };

    explicit Impl(const Options& options);
    ~Impl();

    void Run();
    void ReadFromLine(Clock::time_point now);
    void DeliverArrivedBytes(Clock::time_point now);
    LoaderReply Take(const TimedByte& incoming);  // with the mutex held
    void QueueUnasked();
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
    LoaderEngine loader;
    Faults faults;
    std::vector<std::uint8_t> unasked;  // SendToEditor's bytes, for the thread to send
    std::vector<std::uint8_t> received;
    bool stop_requested = false;
    bool vanish_requested = false;
    bool vanished = false;

    // Fixed at construction.
    const bool check_speed;
    PtyLine line;  // its descriptors are used and closed by the thread only
    const std::string slave_path;
    const bool packet_mode;  // the master reads packets: the editor's flushes and settings wake us
    WakeSignal wake;
    DeadlineTimer timer;

    // The thread's own.
    SpeedPacer inbound;
    SpeedPacer outbound;
    std::deque<TimedByte> arriving;
    std::deque<TimedByte> departing;
    bool output_blocked = false;
    // The last speed the editor set at which the next byte could be a break, until a byte is read.
    unsigned break_speed_unread = 0;
    std::optional<Clock::time_point> vanish_by;  // the last allowed byte went out

    std::thread thread;  // last: starts once everything above exists
};

Simulator::Impl::Impl(const Options& options)
    : engine(CheckedIdentity(options), options.current_preset, options.memory_locked),
      loader(options.loader),
      check_speed(options.check_speed),
      slave_path(line.SlavePath()),
      packet_mode(WakeOnEditorSettings(line.MasterFd())),
      inbound(options.paced),
      outbound(options.paced),
      thread([this] { Run(); })
{
}

Simulator::Impl::~Impl()
{
    {
        std::lock_guard lock(mutex);
        stop_requested = true;
    }
    wake.Raise();
    thread.join();
}

void Simulator::Impl::Run()
{
    RaiseThreadPriority();
    for (;;) {
        {
            std::lock_guard lock(mutex);
            if (stop_requested) return;
            if (vanish_requested && !vanished) HangUp();
        }
        const Clock::time_point now = Clock::now();
        QueueUnasked();
        DeliverArrivedBytes(now);
        SendDueBytes(now);
        CheckVanishing(now);
        WaitForWork(now);
    }
}

void Simulator::Impl::ReadFromLine(Clock::time_point now)
{
    // The speed first: what is read below was written before it could change again, unless
    // the editor changes its settings while we read. A change reaches us as a packet of its own,
    // ahead of every byte written after it, and there the speed is noted again: a thread held
    // up between noting the speed and reading (a busy system) would otherwise take the bytes
    // of the editor's first command, sent right after it set the speed, at the speed the
    // line had before and ignore them as noise.
    unsigned speed = 0;
    const auto note_speed = [this, &speed] {
        speed = line.EditorSpeed().value_or(0);
        if (IsBreak(0, speed)) break_speed_unread = speed;
    };
    note_speed();
    for (;;) {
        std::array<std::uint8_t, 1 + 256> packet{};
        const ssize_t count = ::read(line.MasterFd(), packet.data(), packet.size());
        if (count <= 0) return;  // all read (EAGAIN)
        std::span<const std::uint8_t> bytes(packet.data(), static_cast<std::size_t>(count));
        if (packet_mode) {
            if (bytes.front() != TIOCPKT_DATA) {  // a flush or a change of settings
                note_speed();
                continue;
            }
            bytes = bytes.subspan(1);
        }
        std::optional<std::chrono::milliseconds> held_up;
        {
            std::lock_guard lock(mutex);
            received.insert(received.end(), bytes.begin(), bytes.end());
            held_up = faults.held_up;
        }
        for (std::uint8_t byte : bytes) {
            unsigned byte_speed = speed;
            if (break_speed_unread != 0 && IsBreak(byte, break_speed_unread)) byte_speed = break_speed_unread;
            break_speed_unread = 0;
            const unsigned pace = byte_speed != 0 ? byte_speed : wire::kLineSpeed;
            arriving.push_back({byte, inbound.Arrival(now, pace), false, byte_speed});
        }
        if (held_up) std::this_thread::sleep_for(*held_up);
    }
}

void Simulator::Impl::DeliverArrivedBytes(Clock::time_point now)
{
    while (!arriving.empty() && arriving.front().when <= now) {
        const TimedByte incoming = arriving.front();
        arriving.pop_front();
        LoaderReply reply;
        {
            std::lock_guard lock(mutex);
            reply = Take(incoming);
        }
        // The controller answers the moment the last byte of a command has arrived, or once it
        // has done the work the command asks for.
        const Clock::time_point start = incoming.when + reply.delay;
        for (std::uint8_t byte : reply.bytes) departing.push_back({byte, outbound.Arrival(start, reply.speed)});
    }
}

LoaderReply Simulator::Impl::Take(const TimedByte& incoming)
{
    if (check_speed && incoming.speed != 0) {
        if (IsBreak(incoming.byte, incoming.speed)) {
            loader.Break();
            return {};
        }
        // Bytes sent at another speed reach the controller as line noise; it ignores them.
        if (incoming.speed != loader.LineSpeed()) return {};
    }
    if (loader.Listening()) return loader.Feed(incoming.byte);
    return {engine.Feed(incoming.byte), loader.LineSpeed(), {}};
}

void Simulator::Impl::QueueUnasked()
{
    std::vector<std::uint8_t> bytes;
    unsigned speed = 0;
    {
        std::lock_guard lock(mutex);
        bytes.swap(unasked);
        speed = loader.LineSpeed();
    }
    const Clock::time_point now = Clock::now();
    for (std::uint8_t byte : bytes) departing.push_back({byte, outbound.Arrival(now, speed)});
}

Simulator::Impl::Verdict Simulator::Impl::PassFaults(TimedByte& outgoing)
{
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

void Simulator::Impl::SendDueBytes(Clock::time_point now)
{
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

void Simulator::Impl::CheckVanishing(Clock::time_point now)
{
    std::lock_guard lock(mutex);
    if (vanished) return;
    if (!vanish_by && faults.vanish_after == 0u) vanish_by = now + kVanishDrainLimit;
    if (vanish_by && (now >= *vanish_by || !line.HasUnreadOutput())) HangUp();
}

void Simulator::Impl::WaitForWork(Clock::time_point now)
{
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

void Simulator::Impl::HangUp()
{
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

const std::string& Simulator::SlavePath() const
{
    return impl_->slave_path;
}

void Simulator::SetCurrentPreset(std::uint8_t preset)
{
    CheckPreset(preset);
    std::lock_guard lock(impl_->mutex);
    impl_->engine.SetCurrentPreset(preset);
}

void Simulator::SetMemoryLocked(bool locked)
{
    std::lock_guard lock(impl_->mutex);
    impl_->engine.SetMemoryLocked(locked);
}

void Simulator::SetFaults(const Faults& faults)
{
    {
        std::lock_guard lock(impl_->mutex);
        impl_->faults = faults;
        impl_->engine.SetFaults(faults);
        impl_->loader.SetFaults(faults);
    }
    impl_->wake.Raise();
}

void Simulator::Vanish()
{
    std::unique_lock lock(impl_->mutex);
    impl_->vanish_requested = true;
    impl_->wake.Raise();
    impl_->vanished_changed.wait(lock, [this] { return impl_->vanished; });
}

Block Simulator::ReadMemory(std::uint8_t address) const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->engine.Memory().Read(address);
}

void Simulator::WriteMemory(std::uint8_t address, const Block& data)
{
    std::lock_guard lock(impl_->mutex);
    impl_->engine.Memory().Write(address, data);
}

void Simulator::ResetMemory()
{
    std::lock_guard lock(impl_->mutex);
    impl_->engine.Memory().Reset();
}

std::size_t Simulator::BytesReceived() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->received.size();
}

std::vector<std::uint8_t> Simulator::Received() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->received;
}

void Simulator::ClearReceived()
{
    std::lock_guard lock(impl_->mutex);
    impl_->received.clear();
}

FlashBlock Simulator::ReadFlash(int block) const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->loader.Flash(block);
}

bool Simulator::RunsLoader() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->loader.RunsLoader();
}

unsigned Simulator::ControllerSpeed() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->loader.LineSpeed();
}

void Simulator::SetEraseTime(std::chrono::milliseconds time)
{
    std::lock_guard lock(impl_->mutex);
    impl_->loader.SetEraseTime(time);
}

void Simulator::Restart()
{
    std::lock_guard lock(impl_->mutex);
    impl_->loader.Restart();
}

void Simulator::SendToEditor(const std::vector<std::uint8_t>& bytes)
{
    {
        std::lock_guard lock(impl_->mutex);
        impl_->unasked.insert(impl_->unasked.end(), bytes.begin(), bytes.end());
    }
    impl_->wake.Raise();
}

}  // namespace kpxsim
