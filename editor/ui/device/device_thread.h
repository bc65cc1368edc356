// DeviceThread: the window's one thread for every exchange with the controller. The window
// posts jobs; they run here one at a time, in the order posted, never on the window's
// thread. A job talks back to the window through queued calls; a call that needs the
// user's answer (a question, a message box) blocks this thread until the window has run it.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include <QObject>
#include <QThread>

namespace orvel {

class DeviceThread final : public QThread {
public:
    // `window` is the object whose thread runs the calls back (the main window).
    explicit DeviceThread(QObject* window);
    ~DeviceThread() override;

    DeviceThread(const DeviceThread&) = delete;
    DeviceThread& operator=(const DeviceThread&) = delete;

    // Window thread: queues a job; `ended`, when given, then runs on the window's thread
    // after every call the job made back. Ignored once Stop() has begun.
    void Post(std::function<void()> job, std::function<void()> ended = {});

    // True when no job is queued or running.
    bool Idle() const;

    // From a job: runs `call` on the window's thread, later.
    void OnWindow(std::function<void()> call);
    // From a job: runs `call` on the window's thread and waits for it. Returns false when
    // the window is closing and the call was not run.
    bool OnWindowAndWait(std::function<void()> call);

    // Window thread: takes no more jobs, drops the queued ones, lets the running job end
    // (its waiting calls return at once) and joins the thread.
    void Stop();

protected:
    void run() override;

private:
    QObject* window_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::pair<std::function<void()>, std::function<void()>>> jobs_;
    int unfinished_ = 0;  // queued and running jobs
    bool stopping_ = false;
};

}  // namespace orvel
