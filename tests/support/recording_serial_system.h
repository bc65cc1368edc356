// The real serial services of this machine, with a record of the line settings and time-outs
// the serial library applied: what a pseudo-terminal takes without showing.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "serial/serial_device.h"
#include "serial/termios_device.h"

namespace orvel::testing {

class RecordingSerialSystem final : public zudedize::SerialSystem {
public:
    struct Record {
        std::mutex mutex;
        std::vector<zudedize::LineSettings> line_settings;
        std::vector<zudedize::CommTimeouts> timeouts;
    };

    std::unique_ptr<zudedize::SerialDevice> Open(const std::string& path, std::int32_t& error) override
    {
        auto device = real_.Open(path, error);
        if (!device) return nullptr;
        return std::make_unique<Device>(std::move(device), record_);
    }
    bool CanOpen(const std::string& path) override { return real_.CanOpen(path); }

    std::vector<zudedize::LineSettings> LineSettings()
    {
        std::lock_guard lock(record_->mutex);
        return record_->line_settings;
    }
    std::vector<zudedize::CommTimeouts> Timeouts()
    {
        std::lock_guard lock(record_->mutex);
        return record_->timeouts;
    }
    void Clear()
    {
        std::lock_guard lock(record_->mutex);
        record_->line_settings.clear();
        record_->timeouts.clear();
    }

private:
    class Device final : public zudedize::SerialDevice {
    public:
        Device(std::unique_ptr<zudedize::SerialDevice> real, std::shared_ptr<Record> record)
            : real_(std::move(real)), record_(std::move(record))
        {
        }

        std::intptr_t Handle() const override { return real_->Handle(); }
        std::int32_t ApplyLineSettings(const zudedize::LineSettings& settings) override
        {
            {
                std::lock_guard lock(record_->mutex);
                record_->line_settings.push_back(settings);
            }
            return real_->ApplyLineSettings(settings);
        }
        std::int32_t SetQueueSizes(std::int32_t input, std::int32_t output) override
        {
            return real_->SetQueueSizes(input, output);
        }
        std::int32_t GetTimeouts(zudedize::CommTimeouts& timeouts) override { return real_->GetTimeouts(timeouts); }
        std::int32_t SetTimeouts(const zudedize::CommTimeouts& timeouts) override
        {
            {
                std::lock_guard lock(record_->mutex);
                record_->timeouts.push_back(timeouts);
            }
            return real_->SetTimeouts(timeouts);
        }
        std::int32_t SetEventMask(std::uint32_t mask) override { return real_->SetEventMask(mask); }
        zudedize::EventWait WaitEvent(const zudedize::ManualResetEvent& stop) override
        {
            return real_->WaitEvent(stop);
        }
        std::int32_t CollectLineErrors(std::uint32_t& errors) override { return real_->CollectLineErrors(errors); }
        std::int32_t Purge(zudedize::PurgeQueues queues) override { return real_->Purge(queues); }
        bool Drain() override { return real_->Drain(); }
        bool EscapeFunction(zudedize::ModemControl function) override { return real_->EscapeFunction(function); }
        bool ModemStatus(std::uint8_t& status) override { return real_->ModemStatus(status); }
        zudedize::Transfer Read(std::uint8_t* buffer, std::size_t n, const zudedize::ManualResetEvent* abort) override
        {
            return real_->Read(buffer, n, abort);
        }
        zudedize::Transfer Write(const std::uint8_t* buffer, std::size_t n,
                                 const zudedize::ManualResetEvent* abort) override
        {
            return real_->Write(buffer, n, abort);
        }

    private:
        std::unique_ptr<zudedize::SerialDevice> real_;
        std::shared_ptr<Record> record_;
    };

    zudedize::TermiosSystem real_;
    std::shared_ptr<Record> record_ = std::make_shared<Record>();
};

}  // namespace orvel::testing
