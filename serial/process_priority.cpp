#include "serial/process_priority.h"

#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace zudedize {

int ProcessPriority()
{
    errno = 0;
    const int value = getpriority(PRIO_PROCESS, static_cast<id_t>(getpid()));
    return errno == 0 ? value : kNormalPriority;
}

void SetProcessPriority(int nice_value)
{
    setpriority(PRIO_PROCESS, static_cast<id_t>(getpid()), nice_value);
}

void RaiseCurrentThreadPriority()
{
    // On Linux PRIO_PROCESS with a thread id changes that thread only.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kRealTimePriority);
}

}  // namespace zudedize
