// TComm: one port of the threaded variant, the object a slot holds from its first
// InitializePort on. It owns the open device, its two threads, the hand-over events and
// the close event, and carries the port's line settings and time-outs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "serial/event_watch_thread.h"
#include "serial/manual_reset_event.h"
#include "serial/serial_device.h"
#include "serial/transfer_thread.h"
#include "zudedize/zudedize_constants.h"

namespace zudedize::threaded {

class TComm {
public:
    explicit TComm(std::uint8_t parity);
    virtual ~TComm();
    TComm(const TComm&) = delete;
    TComm& operator=(const TComm&) = delete;

    // What InitializePort stores before the open sequence.
    void Configure(std::int32_t baud_rate, std::uint8_t com_number, std::uint16_t write_timeout_s,
                   std::uint16_t read_timeout_s);

    // The open sequence: 0 or the OS error code of the first failing step (its text recorded).
    std::int32_t Open();
    // Closes: 0, or an OS error code. A port that is not open closes with 0.
    std::int32_t Close();

    // Applies the line settings (nothing when not open); 0 or the OS error code.
    std::int32_t ApplyLineSettings();
    // Sets the time-outs from milliseconds; 0 or the OS error code.
    std::int32_t SetTimeouts(std::uint32_t write_ms, std::uint32_t read_ms);

    bool IsOpen() const { return device_ != nullptr; }
    SerialDevice* Device() { return device_.get(); }
    // Null until the port has been opened (and, for the hand-over, its thread started).
    Handover* Transfers() { return handover_.get(); }
    const ManualResetEvent* CloseEvent() const { return close_event_.get(); }

    std::intptr_t Handle() const { return device_ ? device_->Handle() : kInvalidHandle; }
    std::uint8_t ComNumber() const { return com_number_; }
    std::int32_t BaudRate() const { return baud_rate_; }
    void SetBaudRate(std::int32_t baud_rate) { baud_rate_ = baud_rate; }
    void SetParity(std::uint8_t parity) { parity_ = parity; }

protected:
    // Opens the device of the port number: 0 or the OS error code, its text recorded.
    virtual std::int32_t OpenDevice();
    // Acts on one event bit; the line-error bit records a text for each error collected.
    virtual void HandleCommEvent(std::uint32_t event);

private:
    // The open sequence's steps after the device opened: 0 or the first failing step's code.
    std::int32_t StartAndConfigure();
    void RestoreProcessPriority();
    // Ends the transfers and both threads and closes the device.
    void Release();
    // The handler the event-watching thread runs for each event mask it receives.
    void OnCommEvents(std::uint32_t events);

    std::unique_ptr<SerialDevice> device_;
    std::string port_name_ = "Comm2";
    std::uint8_t com_number_ = 0;
    CommTimeouts saved_timeouts_;  // found on the device before the last change
    CommTimeouts active_timeouts_;
    std::uint16_t event_set_ = kDefaultEventSet;
    std::uint32_t line_errors_ = 0;  // as last collected (event-watching thread only)
    std::int32_t baud_rate_ = 0;
    std::uint8_t parity_;
    std::int32_t stop_bits_code_ = kDefaultStopBitsCode;
    std::int32_t data_bits_ = kDefaultDataBits;
    std::int32_t input_queue_size_ = kInputQueueSize;
    std::int32_t output_queue_size_ = kOutputQueueSize;
    std::uint16_t write_timeout_s_ = 0;
    std::uint16_t read_timeout_s_ = 0;

    std::unique_ptr<ManualResetEvent> close_event_;
    std::unique_ptr<Handover> handover_;
    // Declared last: stopped first, while everything they use still exists.
    std::unique_ptr<TZdarzeniaCommThread> events_thread_;
    std::unique_ptr<TZapisOdczytThread> transfer_thread_;
};

}  // namespace zudedize::threaded
