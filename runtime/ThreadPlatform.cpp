#include "ThreadPlatform.h"

#include <cstring>

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

namespace orb::platform {

long currentThreadId()
{
    return static_cast<long>(::syscall(SYS_gettid));
}

int niceForPriority(int priority)
{
    if (priority < 1)
        return 19; // idle
    if (priority == 1)
        return 10; // lowest
    if (priority <= 4)
        return 5; // below normal
    if (priority <= 6)
        return 0; // normal
    if (priority <= 8)
        return -5; // above normal
    if (priority == 9)
        return -10; // highest
    return -20;     // time critical
}

bool setThreadPriority(long threadId, int priority)
{
    // On Linux the niceness of a thread id applies to that thread alone.
    return ::setpriority(PRIO_PROCESS, static_cast<id_t>(threadId), niceForPriority(priority)) == 0;
}

void setCurrentThreadName(const char *name)
{
    char shortName[16] = {};
    std::strncpy(shortName, name, sizeof shortName - 1);
    ::pthread_setname_np(::pthread_self(), shortName);
}

std::int64_t monotonicMs()
{
    // The coarse clock is read without a system call and is exact to a few
    // milliseconds, which is all the collector's ageing needs.
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace orb::platform
