// Waiting on a thread that runs Qt's event loop (the window tests' main thread): between two
// looks at its condition, WaitUntil lets the loop run, as QTest::qWaitFor does, so that the
// device thread's queued calls, the timers and the paints a test waits for happen.
#pragma once

#include <chrono>
#include <thread>

#include <QCoreApplication>
#include <QEvent>

#include "tests/support/wait_until.h"

namespace orvel::testing {

inline void RunEventLoopAMoment()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// Called once by a Qt test program's main, before any test runs.
inline void WaitWithEventLoop()
{
    wait_step = RunEventLoopAMoment;
}

}  // namespace orvel::testing
