#include "serial/transfer_thread.h"

#include <cerrno>

#include "serial/error_texts.h"
#include "serial/process_priority.h"
#include "serial/threaded_state.h"

namespace zudedize::threaded {

TZapisOdczytThread::TZapisOdczytThread(SerialDevice& device, Handover& handover, const ManualResetEvent* close_event)
    : device_(device), handover_(handover), close_event_(close_event)
{
    handover_.ready = ManualResetEvent::Create(true);
    handover_.write_request = ManualResetEvent::Create(false);
    handover_.read_request = ManualResetEvent::Create(false);
    stop_ = ManualResetEvent::Create(false);
    if (!handover_.ready || !handover_.write_request || !handover_.read_request || !stop_) {
        start_error_ = CurrentOsError();
        Record(texts::kEventsNotCreated, start_error_);
        return;
    }
    start_error_ = StartWorkerThread(thread_, [this] { Run(); });
}

TZapisOdczytThread::~TZapisOdczytThread()
{
    Stop();
}

void TZapisOdczytThread::Stop()
{
    terminated_ = true;
    if (stop_) stop_->Set();
    if (thread_.joinable()) thread_.join();
}

void TZapisOdczytThread::Run()
{
    RaiseCurrentThreadPriority();
    while (!terminated_) {
        const int request = WaitForAny({stop_.get(), handover_.write_request.get(), handover_.read_request.get()}, -1);
        if (request == 1 || request == 2) {
            handover_.ready->Reset();
            if (request == 1)
                DoWrite();
            else
                DoRead();
        } else {
            break;  // the stop event, or a failed wait
        }
    }
}

std::size_t TZapisOdczytThread::Finish(const Transfer& transfer, const char* timeout_text, const char* aborted_text,
                                       const char* failed_text)
{
    switch (transfer.status) {
    case TransferStatus::Done: break;
    case TransferStatus::TimedOut: Record(timeout_text, ETIMEDOUT); break;
    case TransferStatus::Aborted: Record(aborted_text, ECANCELED); break;
    case TransferStatus::Failed: Record(failed_text, transfer.error); break;
    }
    // A byte taken off the line with a parity or framing error is no byte: the device
    // reports such a transfer as failed, whatever its count.
    const std::size_t moved = transfer.status == TransferStatus::Failed ? 0 : transfer.count;
    return HandBack(moved);
}

std::size_t TZapisOdczytThread::HandBack(std::size_t moved)
{
    Library().timeout = moved == 0;
    if (!handover_.ready->Set()) {
        Record(texts::kEventNotReset, CurrentOsError());
        return 0;
    }
    return moved;
}

std::size_t TZapisOdczytThread::DoWrite()
{
    Library().timeout = true;
    if (!handover_.write_request->Reset()) {
        Record(texts::kHandleNotClosed, CurrentOsError());
        return HandBack(0);
    }
    const Transfer transfer = device_.Write(&handover_.write_byte, 1, close_event_);
    return Finish(transfer, texts::kWriteTimeout, texts::kWriteAborted, texts::kWriteToPortFailed);
}

std::size_t TZapisOdczytThread::DoRead()
{
    Library().timeout = true;
    if (!handover_.read_request->Reset()) {
        Record(texts::kHandleNotClosed, CurrentOsError());
        return HandBack(0);
    }
    const Transfer transfer = device_.Read(&handover_.read_byte, 1, close_event_);
    return Finish(transfer, texts::kReadTimeout, texts::kReadAborted, texts::kReadFailed);
}

}  // namespace zudedize::threaded
