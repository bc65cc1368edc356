#include "serial/event_watch_thread.h"

#include "serial/error_texts.h"
#include "serial/process_priority.h"
#include "serial/threaded_state.h"
#include "zudedize/zudedize_constants.h"

namespace zudedize::threaded {

std::uint32_t EventMaskOf(std::uint16_t event_set)
{
    std::uint32_t mask = 0;
    for (std::size_t position = 0; position < kEventTable.size(); ++position) {
        if ((event_set >> position & 1) != 0) mask |= kEventTable[position];
    }
    return mask;
}

TZdarzeniaCommThread::TZdarzeniaCommThread(SerialDevice& device, std::uint16_t event_set, Callback callback)
    : device_(device), callback_(std::move(callback))
{
    State& library = Library();
    library.saved_priority = ProcessPriority();
    if (*library.saved_priority != kRealTimePriority) SetProcessPriority(kRealTimePriority);
    device_.SetEventMask(EventMaskOf(event_set));
    stop_ = ManualResetEvent::Create(false);
    if (!stop_) {
        start_error_ = CurrentOsError();
        Record(texts::kEventsNotCreated, start_error_);
        return;
    }
    start_error_ = StartWorkerThread(thread_, [this] { Run(); });
}

TZdarzeniaCommThread::~TZdarzeniaCommThread()
{
    Stop();
}

void TZdarzeniaCommThread::Stop()
{
    terminated_ = true;
    if (stop_) stop_->Set();
    if (thread_.joinable()) thread_.join();
}

void TZdarzeniaCommThread::DoEvent()
{
    callback_(received_);
}

void TZdarzeniaCommThread::Run()
{
    RaiseCurrentThreadPriority();
    while (!terminated_) {
        const EventWait wait = device_.WaitEvent(*stop_);
        if (wait.stopped || wait.failed) break;
        received_ = wait.events;
        DoEvent();
    }
    device_.Purge(PurgeQueues::AbortAndBoth);
}

}  // namespace zudedize::threaded
