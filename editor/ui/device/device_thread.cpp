#include "ui/device/device_thread.h"

#include <memory>

namespace orvel {
namespace {

// Queues `call` to run on `target`'s thread. Qt's event queue orders the hand-over, but its
// locking lives in the Qt library where the thread checker cannot see it; holding one mutex
// while the call is built and queued, and taking it before the call runs, makes the order
// visible, so everything the call carries counts as handed over.
void PostTo(QObject* target, std::function<void()> call)
{
    static std::mutex hand_over;
    const std::lock_guard lock(hand_over);
    QMetaObject::invokeMethod(
        target,
        [call = std::move(call)] {
            hand_over.lock();  // the caller has queued the call and let go
            hand_over.unlock();
            call();
        },
        Qt::QueuedConnection);
}

}  // namespace

DeviceThread::DeviceThread(QObject* window) : window_(window)
{
    setObjectName(QStringLiteral("DeviceThread"));
    start();
}

DeviceThread::~DeviceThread()
{
    Stop();
}

void DeviceThread::Post(std::function<void()> job, std::function<void()> ended)
{
    {
        const std::lock_guard lock(mutex_);
        if (stopping_) return;
        jobs_.emplace_back(std::move(job), std::move(ended));
        ++unfinished_;
    }
    wake_.notify_all();
}

bool DeviceThread::Idle() const
{
    const std::lock_guard lock(mutex_);
    return unfinished_ == 0;
}

void DeviceThread::OnWindow(std::function<void()> call)
{
    PostTo(window_, std::move(call));
}

bool DeviceThread::OnWindowAndWait(std::function<void()> call)
{
    if (QThread::currentThread() == window_->thread()) {
        call();  // already on the window's thread
        return true;
    }
    auto done = std::make_shared<bool>(false);
    {
        const std::lock_guard lock(mutex_);
        if (stopping_) return false;
    }
    PostTo(window_, [this, done, call = std::move(call)] {
        {
            const std::lock_guard lock(mutex_);
            if (stopping_) return;
        }
        call();
        {
            const std::lock_guard lock(mutex_);
            *done = true;
        }
        wake_.notify_all();
    });
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [&] { return *done || stopping_; });
    return *done;
}

void DeviceThread::Stop()
{
    {
        const std::lock_guard lock(mutex_);
        if (stopping_ && !isRunning()) return;
        stopping_ = true;
        unfinished_ -= static_cast<int>(jobs_.size());
        jobs_.clear();
    }
    wake_.notify_all();
    wait();
}

void DeviceThread::run()
{
    for (;;) {
        std::pair<std::function<void()>, std::function<void()>> next;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            next = std::move(jobs_.front());
            jobs_.pop_front();
        }
        next.first();
        // The window learns of the end after every call the job made back, as the calls
        // are queued in order; the job counts as finished once the window has heard.
        PostTo(window_, [this, ended = std::move(next.second)] {
            {
                const std::lock_guard lock(mutex_);
                if (stopping_) return;
                --unfinished_;
            }
            if (ended) ended();
        });
    }
}

}  // namespace orvel
