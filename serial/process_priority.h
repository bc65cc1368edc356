// Process and thread priorities while a port is in use. Linux has no priority classes: the
// process's "class" is the nice value of its main thread, the real-time class is the
// highest priority nice allows (-20), and a time-critical thread is a thread at nice -20.
// Raising needs privileges; where they are missing nothing changes and nothing fails.
#pragma once

namespace zudedize {

constexpr int kRealTimePriority = -20;
constexpr int kNormalPriority = 0;

// The nice value of the process's main thread.
int ProcessPriority();
// Sets it where the system allows it.
void SetProcessPriority(int nice_value);
// Runs the calling thread at the highest priority the system allows us.
void RaiseCurrentThreadPriority();

}  // namespace zudedize
