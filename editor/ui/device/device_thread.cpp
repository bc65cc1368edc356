#include "ui/device/device_thread.h"

#include <memory>

namespace orvel {

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
    // The mutex hands what the call carries over to the window's thread.
    { const std::lock_guard lock(mutex_); }
    QMetaObject::invokeMethod(
        window_,
        [this, call = std::move(call)] {
            { const std::lock_guard lock(mutex_); }
            call();
        },
        Qt::QueuedConnection);
}

bool DeviceThread::OnWindowAndWait(std::function<void()> call)
{
    if (QThread::currentThread() == window_->thread()) {
        call();   // already on the window's thread
        return true;
    }
    auto done = std::make_shared<bool>(false);
    {
        const std::lock_guard lock(mutex_);
        if (stopping_) return false;
    }
    QMetaObject::invokeMethod(
        window_,
        [this, done, call = std::move(call)] {
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
        },
        Qt::QueuedConnection);
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
        { const std::lock_guard lock(mutex_); }   // hands the job's results to the window's thread
        // The window learns of the end after every call the job made back, as the calls
        // are queued in order; the job counts as finished once the window has heard.
        QMetaObject::invokeMethod(
            window_,
            [this, ended = std::move(next.second)] {
                {
                    const std::lock_guard lock(mutex_);
                    if (stopping_) return;
                    --unfinished_;
                }
                if (ended) ended();
            },
            Qt::QueuedConnection);
    }
}

}  // namespace orvel
