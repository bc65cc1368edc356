#include "tests/support/fake_serial.h"

#include <algorithm>
#include <cerrno>

#include "serial/line_rules.h"
#include "zudedize/zudedize_constants.h"

namespace zudedize::test {

namespace {

class FakeDevice final : public SerialDevice {
public:
    explicit FakeDevice(std::shared_ptr<FakeLine> line) : line_(std::move(line)) {}
    ~FakeDevice() override
    {
        std::lock_guard lock(line_->mutex);
        line_->open = false;
    }

    std::intptr_t Handle() const override { return 1000; }

    std::int32_t ApplyLineSettings(const LineSettings& settings) override
    {
        std::lock_guard lock(line_->mutex);
        if (line_->refuse_line_settings != 0) return line_->refuse_line_settings;
        line_->applied.push_back(settings);
        line_->dtr = line_->rts = false;
        return 0;
    }
    std::int32_t SetQueueSizes(std::int32_t, std::int32_t) override
    {
        std::lock_guard lock(line_->mutex);
        return line_->refuse_queue_sizes;
    }
    std::int32_t GetTimeouts(CommTimeouts& timeouts) override
    {
        std::lock_guard lock(line_->mutex);
        timeouts = line_->timeouts;
        return 0;
    }
    std::int32_t SetTimeouts(const CommTimeouts& timeouts) override
    {
        std::lock_guard lock(line_->mutex);
        line_->timeouts = timeouts;
        line_->timeouts_set.push_back(timeouts);
        return 0;
    }
    std::int32_t SetEventMask(std::uint32_t) override { return 0; }

    EventWait WaitEvent(const ManualResetEvent& stop) override
    {
        EventWait wait;
        const int woken = WaitForAny({&stop, line_->event_posted.get()}, -1);
        if (woken != 1) {
            wait.stopped = woken == 0;
            wait.failed = woken != 0;
            return wait;
        }
        std::lock_guard lock(line_->mutex);
        wait.events = line_->posted_events;
        line_->posted_events = 0;
        line_->event_posted->Reset();
        return wait;
    }

    std::int32_t CollectLineErrors(std::uint32_t& errors) override
    {
        std::lock_guard lock(line_->mutex);
        errors = line_->pending_errors;
        line_->pending_errors = 0;
        return 0;
    }
    std::int32_t Purge(PurgeQueues queues) override
    {
        std::lock_guard lock(line_->mutex);
        if (queues != PurgeQueues::Output) {
            line_->consumed += line_->input.size();
            line_->input.clear();
            line_->errored_positions.clear();
        }
        return 0;
    }
    bool Drain() override { return true; }

    bool EscapeFunction(ModemControl function) override
    {
        std::lock_guard lock(line_->mutex);
        if (!line_->has_modem_lines) return false;
        switch (function) {
        case ModemControl::SetRts: line_->rts = true; break;
        case ModemControl::ClearRts: line_->rts = false; break;
        case ModemControl::SetDtr: line_->dtr = true; break;
        case ModemControl::ClearDtr: line_->dtr = false; break;
        }
        return true;
    }
    bool ModemStatus(std::uint8_t& status) override
    {
        std::lock_guard lock(line_->mutex);
        status = line_->modem_status;
        return line_->has_modem_lines;
    }

    Transfer Read(std::uint8_t* buffer, std::size_t n, const ManualResetEvent* abort) override
    {
        int wait_ms = 0;
        {
            std::lock_guard lock(line_->mutex);
            if (line_->pending_errors != 0) return {0, TransferStatus::Failed, EIO};
            if (line_->input.size() >= n) {
                bool errored = false;
                for (std::size_t i = 0; i < n; ++i) {
                    buffer[i] = line_->input.front();
                    line_->input.pop_front();
                    auto& marks = line_->errored_positions;
                    const auto mark = std::find(marks.begin(), marks.end(), line_->consumed++);
                    if (mark != marks.end()) {
                        marks.erase(mark);
                        errored = true;
                    }
                }
                if (errored) return {n, TransferStatus::Failed, EIO};
                return {n, TransferStatus::Done, 0};
            }
            wait_ms = ReadWaitMs(line_->timeouts, n);
        }
        if (wait_ms != 0 && abort != nullptr && WaitForAny({abort}, wait_ms) == 0)
            return {0, TransferStatus::Aborted, 0};
        return {0, TransferStatus::TimedOut, 0};
    }

    Transfer Write(const std::uint8_t* buffer, std::size_t n, const ManualResetEvent* abort) override
    {
        FakeLine::WriteMode mode{};
        {
            std::lock_guard lock(line_->mutex);
            if (line_->pending_errors != 0) return {0, TransferStatus::Failed, EIO};
            mode = line_->write_mode;
            if (mode == FakeLine::WriteMode::Take) {
                line_->output.insert(line_->output.end(), buffer, buffer + n);
                return {n, TransferStatus::Done, 0};
            }
        }
        switch (mode) {
        case FakeLine::WriteMode::TimeOut: return {0, TransferStatus::TimedOut, 0};
        case FakeLine::WriteMode::Fail: return {0, TransferStatus::Failed, EIO};
        default:
            if (abort != nullptr && WaitForAny({abort}, -1) == 0) return {0, TransferStatus::Aborted, 0};
            return {0, TransferStatus::Failed, EIO};
        }
    }

private:
    std::shared_ptr<FakeLine> line_;
};

}  // namespace

void FakeLine::PostEvents(std::uint32_t events)
{
    std::lock_guard lock(mutex);
    posted_events |= events;
    event_posted->Set();
}

void FakeLine::ReceiveInError(std::uint32_t error)
{
    std::lock_guard lock(mutex);
    errored_positions.push_back(consumed + input.size());
    input.push_back(0x00);
    pending_errors |= error;
}

std::uint32_t FakeLine::PendingErrors()
{
    std::lock_guard lock(mutex);
    return pending_errors;
}

LineSettings FakeLine::LastApplied()
{
    std::lock_guard lock(mutex);
    return applied.empty() ? LineSettings{} : applied.back();
}

bool FakeSerialSystem::CanOpen(const std::string& path)
{
    const auto it = lines_.find(path);
    if (it == lines_.end()) return false;
    std::lock_guard lock(it->second->mutex);
    return !it->second->open;
}

std::shared_ptr<FakeLine> FakeSerialSystem::Add(const std::string& path)
{
    auto line = std::make_shared<FakeLine>();
    lines_[path] = line;
    return line;
}

std::unique_ptr<SerialDevice> FakeSerialSystem::Open(const std::string& path, std::int32_t& error)
{
    const auto it = lines_.find(path);
    if (it == lines_.end()) {
        error = kErrorFileNotFound;
        return nullptr;
    }
    std::lock_guard lock(it->second->mutex);
    if (it->second->open) {
        error = kErrorAccessDenied;
        return nullptr;
    }
    it->second->open = true;
    error = 0;
    return std::make_unique<FakeDevice>(it->second);
}

}  // namespace zudedize::test
