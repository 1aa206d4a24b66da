#pragma once

#include "orbRuntimeGlobal.h"

#include <cstdint>

// The few operating-system services orb::Thread and the collector need, behind
// one small interface.
namespace orb::platform {

// Kernel id of the calling thread.
ORB_RUNTIME_EXPORT long currentThreadId();

// Maps an orb thread priority (0 idle ... 10 time critical) onto the thread's
// scheduling niceness. Returns false when the system refuses the change, which
// callers treat as a hint not taken rather than an error.
ORB_RUNTIME_EXPORT bool setThreadPriority(long threadId, int priority);

// The niceness setThreadPriority() uses for an orb priority.
ORB_RUNTIME_EXPORT int niceForPriority(int priority);

// Names the calling thread for debuggers and tools (at most 15 characters are kept).
ORB_RUNTIME_EXPORT void setCurrentThreadName(const char *name);

// Milliseconds of a monotonic clock (a few milliseconds coarse); only differences are meaningful.
ORB_RUNTIME_EXPORT std::int64_t monotonicMs();

} // namespace orb::platform
