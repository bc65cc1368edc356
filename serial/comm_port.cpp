#include "serial/comm_port.h"

#include "serial/error_texts.h"
#include "serial/line_rules.h"
#include "serial/process_priority.h"
#include "serial/threaded_state.h"
#include "zudedize/port_names.h"

namespace zudedize::threaded {

namespace {

const char* OpenFailureText(std::int32_t error)
{
    switch (error) {
    case kErrorFileNotFound: return texts::kDeviceNotFound;
    case kErrorAccessDenied: return texts::kAccessDenied;
    case kErrorInvalidHandle: return texts::kInvalidHandle;
    default: return texts::kBadDevice;
    }
}

struct LineErrorText {
    std::uint32_t flag;
    const char* text;
};

// In the order they are recorded; the last one recorded stays in the slot.
constexpr LineErrorText kLineErrorTexts[] = {
    {kLineErrorBreak, texts::kLineBreak},     {kLineErrorFrame, texts::kLineFrame},
    {kLineErrorOverrun, texts::kLineOverrun}, {kLineErrorRxOver, texts::kLineRxOver},
    {kLineErrorParity, texts::kLineParity},   {kLineErrorTxFull, texts::kLineTxFull},
};

}  // namespace

TComm::TComm(std::uint8_t parity) : parity_(parity) {}

TComm::~TComm()
{
    Close();
}

void TComm::Configure(std::int32_t baud_rate, std::uint8_t com_number, std::uint16_t write_timeout_s,
                      std::uint16_t read_timeout_s)
{
    baud_rate_ = baud_rate;
    port_name_ = "COM" + std::to_string(com_number);
    com_number_ = com_number;
    write_timeout_s_ = write_timeout_s;
    read_timeout_s_ = read_timeout_s;
}

std::int32_t TComm::OpenDevice()
{
    std::int32_t error = 0;
    device_ = CurrentSerialSystem().Open(ComPortDevicePath(com_number_), error);
    if (device_ == nullptr) {
        Record(OpenFailureText(error), error);
        return error;
    }
    return 0;
}

std::int32_t TComm::Open()
{
    Close();
    Library().last_error.Clear();
    const std::int32_t opened = OpenDevice();
    Pause(kThreadedSettleMs);
    if (!IsOpen()) return opened;
    const std::int32_t result = StartAndConfigure();
    // A port that failed half-way is closed again: left open it would hold the device and
    // its threads, and every later open of the slot would answer "already initialised".
    if (result != 0) {
        RestoreProcessPriority();
        Release();
    }
    return result;
}

std::int32_t TComm::StartAndConfigure()
{
    // The close event exists before the threads start, so that every transfer can be ended by it.
    close_event_ = ManualResetEvent::Create(false);
    const std::int32_t close_event_error = close_event_ ? 0 : CurrentOsError();
    handover_ = std::make_unique<Handover>();
    events_thread_ = std::make_unique<TZdarzeniaCommThread>(*device_, event_set_,
                                                            [this](std::uint32_t events) { OnCommEvents(events); });
    transfer_thread_ = std::make_unique<TZapisOdczytThread>(*device_, *handover_, close_event_.get());
    // A port whose threads do not run cannot move a byte: the open fails with the reason.
    if (const std::int32_t e = events_thread_->StartError()) return e;
    if (const std::int32_t e = transfer_thread_->StartError()) return e;

    if (const std::int32_t e = ApplyLineSettings()) return e;
    if (const std::int32_t e = device_->SetQueueSizes(input_queue_size_, output_queue_size_)) {
        Record(texts::kQueueSizes, e);
        return e;
    }
    const std::int32_t timeouts =
        SetTimeouts(SecondsToMilliseconds(write_timeout_s_), SecondsToMilliseconds(read_timeout_s_));
    Pause(kThreadedSettleMs);
    if (close_event_error != 0) {
        Record(texts::kCloseEventNotCreated, close_event_error);
        return close_event_error;
    }
    return timeouts;
}

void TComm::RestoreProcessPriority()
{
    const State& library = Library();
    if (library.saved_priority && ProcessPriority() != *library.saved_priority)
        SetProcessPriority(*library.saved_priority);
}

void TComm::Release()
{
    // The close event first: a transfer in progress ends now rather than at its time-out.
    if (close_event_) close_event_->Set();
    transfer_thread_.reset();
    events_thread_.reset();
    device_.reset();
}

std::int32_t TComm::Close()
{
    RestoreProcessPriority();
    if (!IsOpen()) return 0;
    if (const std::int32_t e = device_->SetTimeouts(saved_timeouts_)) Record(texts::kTimeoutsNotWritten, e);
    Release();
    if (!close_event_) {
        Record(texts::kEventNotSignalled, kErrorInvalidHandle);
        return kErrorInvalidHandle;
    }
    return 0;
}

std::int32_t TComm::ApplyLineSettings()
{
    if (!IsOpen()) return 0;
    Library().cts_flag = 0;
    LineSettings settings;
    settings.baud_rate = baud_rate_;
    settings.parity = parity_;
    settings.stop_bits_code = stop_bits_code_;
    settings.data_bits = data_bits_;
    settings.cts_output_flow = false;
    if (const std::int32_t e = device_->ApplyLineSettings(settings)) {
        Record(texts::kLineSettings, e);
        return e;
    }
    return 0;
}

std::int32_t TComm::SetTimeouts(std::uint32_t write_ms, std::uint32_t read_ms)
{
    if (!IsOpen()) {
        Record(texts::kTimeoutsNotRead, kErrorInvalidHandle);
        return kErrorInvalidHandle;
    }
    if (const std::int32_t e = device_->GetTimeouts(saved_timeouts_)) {
        Record(texts::kTimeoutsNotRead, e);
        return e;
    }
    active_timeouts_ = TimeoutsOf(write_ms, read_ms, 0, 0);
    if (const std::int32_t e = device_->SetTimeouts(active_timeouts_)) {
        Record(texts::kTimeoutsNotWritten, e);
        return e;
    }
    return 0;
}

void TComm::OnCommEvents(std::uint32_t events)
{
    // Collecting the line errors is what lets transfers work again after one.
    device_->CollectLineErrors(line_errors_);
    for (const std::uint32_t event : {kEventLineError, kEventRxChar, kEventRxFlag, kEventTxEmpty}) {
        if ((events & event) != 0) HandleCommEvent(event);
    }
}

void TComm::HandleCommEvent(std::uint32_t event)
{
    if (event != kEventLineError) return;
    for (const LineErrorText& line_error : kLineErrorTexts) {
        if ((line_errors_ & line_error.flag) != 0) Record(line_error.text, static_cast<std::int32_t>(line_error.flag));
    }
}

}  // namespace zudedize::threaded
