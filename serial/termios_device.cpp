#include "serial/termios_device.h"

#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>

#include "serial/line_rules.h"
#include "serial/manual_reset_event.h"
#include "zudedize/zudedize_constants.h"

namespace zudedize {

namespace {

// The errno of the call that just failed, never 0.
std::int32_t LastError()
{
    return errno != 0 ? errno : EIO;
}

std::int32_t OpenErrorCode(OpenError error)
{
    switch (error) {
    case OpenError::None: return 0;
    case OpenError::NotFound: return kErrorFileNotFound;
    case OpenError::AccessDenied:
    case OpenError::Busy: return kErrorAccessDenied;
    case OpenError::NotCharacterDevice: return kErrorInvalidHandle;
    case OpenError::Other: return kErrorGeneralFailure;
    }
    return kErrorGeneralFailure;
}

bool ParityOf(std::uint8_t code, Parity& parity)
{
    switch (code) {
    case kParityNone: parity = Parity::None; return true;
    case kParityOdd: parity = Parity::Odd; return true;
    case kParityEven: parity = Parity::Even; return true;
    case kParityMark: parity = Parity::Mark; return true;
    case kParitySpace: parity = Parity::Space; return true;
    default: return false;
    }
}

// Errors counted by `now` and not by `then`, as line-error flags.
std::uint32_t ErrorsBetween(const LineCounters& then, const LineCounters& now)
{
    std::uint32_t errors = 0;
    if (now.buffer_overrun != then.buffer_overrun) errors |= kLineErrorRxOver;
    if (now.overrun != then.overrun) errors |= kLineErrorOverrun;
    if (now.parity != then.parity) errors |= kLineErrorParity;
    if (now.frame != then.frame) errors |= kLineErrorFrame;
    if (now.brk != then.brk) errors |= kLineErrorBreak;
    return errors;
}

}  // namespace

TermiosDevice::TermiosDevice(int fd) : fd_(fd)
{
    have_counters_ = ReadLineCounters(fd_, collected_);
    read_from_ = collected_;
    last_look_ = Look();
}

TermiosDevice::~TermiosDevice()
{
    CloseLine(fd_);
}

std::int32_t TermiosDevice::ApplyLineSettings(const LineSettings& settings)
{
    Parity parity{};
    const int stop_bits = settings.stop_bits_code == 0 ? 1 : 2;
    if (!ParityOf(settings.parity, parity) || settings.baud_rate <= 0 || settings.stop_bits_code < 0 ||
        settings.stop_bits_code > 2)
        return EINVAL;
    errno = 0;
    if (!SetLineSpeed(fd_, static_cast<std::uint32_t>(settings.baud_rate))) return errno != 0 ? errno : EINVAL;
    errno = 0;
    if (!SetLineFormat(fd_, settings.data_bits, stop_bits, parity)) return errno != 0 ? errno : EINVAL;
    if (!SetLineChecks(fd_, settings.cts_output_flow)) return LastError();
    // DTR and RTS stay low until the line calls raise them; a device without modem lines
    // has nothing to lower.
    SetModemControl(fd_, TIOCM_DTR | TIOCM_RTS, false);
    return 0;
}

std::int32_t TermiosDevice::SetQueueSizes(std::int32_t input, std::int32_t output)
{
    // The kernel's queues have a fixed size; only nonsense is refused.
    return input > 0 && output > 0 ? 0 : EINVAL;
}

std::int32_t TermiosDevice::GetTimeouts(CommTimeouts& timeouts)
{
    std::lock_guard lock(mutex_);
    timeouts = timeouts_;
    return 0;
}

std::int32_t TermiosDevice::SetTimeouts(const CommTimeouts& timeouts)
{
    std::lock_guard lock(mutex_);
    timeouts_ = timeouts;
    return 0;
}

std::int32_t TermiosDevice::SetEventMask(std::uint32_t mask)
{
    std::lock_guard lock(mutex_);
    event_mask_ = mask;
    return 0;
}

TermiosDevice::Snapshot TermiosDevice::Look() const
{
    Snapshot look;
    look.have_counters = ReadLineCounters(fd_, look.counters);
    look.input_queued = InputQueueLength(fd_);
    look.output_queued = OutputQueueLength(fd_);
    return look;
}

EventWait TermiosDevice::WaitEvent(const ManualResetEvent& stop)
{
    EventWait wait;
    for (;;) {
        const int woken = WaitForAny({&stop}, kEventPollMs);
        if (woken == 0) {
            wait.stopped = true;
            return wait;
        }
        if (woken == kWaitFailed) {
            wait.failed = true;
            return wait;
        }
        const Snapshot now = Look();
        if (now.input_queued < 0 || now.output_queued < 0) {
            wait.failed = true;
            return wait;
        }
        std::lock_guard lock(mutex_);
        const Snapshot then = last_look_;
        last_look_ = now;
        std::uint32_t events = 0;
        if (now.input_queued > then.input_queued) events |= kEventRxChar;
        if (now.output_queued == 0 && then.output_queued > 0) events |= kEventTxEmpty;
        if (now.have_counters && then.have_counters) {
            const LineCounters& a = then.counters;
            const LineCounters& b = now.counters;
            if ((ErrorsBetween(a, b) & ~kLineErrorBreak) != 0) events |= kEventLineError;
            if (b.brk != a.brk) events |= kEventBreak;
            if (b.cts != a.cts) events |= kEventCts;
            if (b.dsr != a.dsr) events |= kEventDsr;
            if (b.ring != a.ring) events |= kEventRing;
            if (b.carrier != a.carrier) events |= kEventCarrier;
        }
        wait.events = events & event_mask_;
        if (wait.events != 0) return wait;
    }
}

std::int32_t TermiosDevice::CollectLineErrors(std::uint32_t& errors)
{
    errors = 0;
    std::lock_guard lock(mutex_);
    if (!have_counters_) return 0;
    LineCounters now;
    if (!ReadLineCounters(fd_, now)) return LastError();
    errors = ErrorsBetween(collected_, now);
    collected_ = now;
    return 0;
}

bool TermiosDevice::LineErrorPending()
{
    std::lock_guard lock(mutex_);
    LineCounters now;
    return have_counters_ && ReadLineCounters(fd_, now) && ErrorsBetween(collected_, now) != 0;
}

bool TermiosDevice::ReadTookErroredBytes(const TransferResult& result)
{
    if (result.count == 0) return false;
    std::lock_guard lock(mutex_);
    LineCounters now;
    if (!have_counters_ || !ReadLineCounters(fd_, now)) return false;
    const bool errored = ErrorsBetween(read_from_, now) != 0;
    read_from_ = now;
    return errored;
}

std::int32_t TermiosDevice::Purge(PurgeQueues queues)
{
    bool ok = false;
    switch (queues) {
    case PurgeQueues::Output: ok = PurgeLine(fd_, LineQueue::Output); break;
    case PurgeQueues::Input: ok = PurgeLine(fd_, LineQueue::Input); break;
    case PurgeQueues::AbortAndBoth: ok = PurgeLine(fd_, LineQueue::Both); break;
    }
    if (ok && queues != PurgeQueues::Output) {
        // What was received in error went with the queue.
        std::lock_guard lock(mutex_);
        if (have_counters_) ReadLineCounters(fd_, read_from_);
    }
    return ok ? 0 : LastError();
}

bool TermiosDevice::Drain()
{
    // Long enough for whatever is queued to leave at the line's speed, twice over.
    constexpr std::int64_t kBitsPerCharacter = 12;
    const std::int64_t queued = OutputQueueLength(fd_);
    if (queued < 0) return false;
    const std::uint32_t speed = LineSpeed(fd_);
    const std::int64_t line_ms = speed == 0 ? 0 : queued * kBitsPerCharacter * 1000 / speed;
    return DrainLine(fd_, static_cast<int>(2 * line_ms + kDrainMarginMs));
}

bool TermiosDevice::EscapeFunction(ModemControl function)
{
    switch (function) {
    case ModemControl::SetRts: return SetModemControl(fd_, TIOCM_RTS, true);
    case ModemControl::ClearRts: return SetModemControl(fd_, TIOCM_RTS, false);
    case ModemControl::SetDtr: return SetModemControl(fd_, TIOCM_DTR, true);
    case ModemControl::ClearDtr: return SetModemControl(fd_, TIOCM_DTR, false);
    }
    return false;
}

bool TermiosDevice::ModemStatus(std::uint8_t& status)
{
    status = 0;
    int lines = 0;
    if (!ReadModemLines(fd_, lines)) return false;
    if ((lines & TIOCM_CTS) != 0) status |= kModemCts;
    if ((lines & TIOCM_DSR) != 0) status |= kModemDsr;
    if ((lines & TIOCM_RI) != 0) status |= kModemRing;
    if ((lines & TIOCM_CD) != 0) status |= kModemCarrier;
    return true;
}

Transfer TermiosDevice::Finish(const TransferResult& result, std::size_t n, bool line_errored)
{
    Transfer transfer;
    transfer.count = result.count;
    if (result.line_lost) {
        transfer.status = TransferStatus::Failed;
        transfer.error = LastError();
    } else if (line_errored || LineErrorPending()) {
        transfer.status = TransferStatus::Failed;
        transfer.error = EIO;
    } else if (result.count == n) {
        transfer.status = TransferStatus::Done;
    } else {
        transfer.status = result.aborted ? TransferStatus::Aborted : TransferStatus::TimedOut;
    }
    return transfer;
}

Transfer TermiosDevice::Read(std::uint8_t* buffer, std::size_t n, const ManualResetEvent* abort)
{
    if (LineErrorPending()) return {0, TransferStatus::Failed, EIO};
    CommTimeouts timeouts;
    GetTimeouts(timeouts);
    errno = 0;
    const TransferResult result =
        ReadLineUntil(fd_, buffer, n, ReadWaitMs(timeouts, n), abort != nullptr ? abort->WakeFd() : -1);
    const int saved_errno = errno;
    const bool errored = ReadTookErroredBytes(result);
    errno = saved_errno;
    return Finish(result, n, errored);
}

Transfer TermiosDevice::Write(const std::uint8_t* buffer, std::size_t n, const ManualResetEvent* abort)
{
    if (LineErrorPending()) return {0, TransferStatus::Failed, EIO};
    CommTimeouts timeouts;
    GetTimeouts(timeouts);
    errno = 0;
    const TransferResult result =
        WriteLineUntil(fd_, buffer, n, WriteWaitMs(timeouts, n), abort != nullptr ? abort->WakeFd() : -1);
    return Finish(result, n, false);
}

std::unique_ptr<SerialDevice> TermiosSystem::Open(const std::string& path, std::int32_t& error)
{
    error = 0;
    if (path.empty()) {
        error = kErrorFileNotFound;
        return nullptr;
    }
    OpenError open_error = OpenError::None;
    const int fd = OpenLine(path, open_error);
    if (fd < 0) {
        error = OpenErrorCode(open_error);
        return nullptr;
    }
    return std::make_unique<TermiosDevice>(fd);
}

bool TermiosSystem::CanOpen(const std::string& path)
{
    return !path.empty() && LineIsFree(path);
}

}  // namespace zudedize
