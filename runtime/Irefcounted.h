#pragma once

#include "orbRuntimeGlobal.h"

namespace orb {

class WeakHandle;

// Intrusive reference-count interface. The slot order is part of the binary
// contract shared with the host application: do not reorder.
class ORB_RUNTIME_EXPORT Irefcounted
{
public:
    virtual ~Irefcounted();

    // Atomic increment.
    virtual void addRef() = 0;
    // Atomic decrement returning the previous count; deletes at once when that was 1.
    virtual int release() = 0;
    // Atomic increment returning the previous count.
    virtual int incRef() = 0;
    // Atomic decrement returning the previous count; never deletes.
    virtual int decRef() = 0;
    // A new weak reference to the object's liveness block.
    virtual WeakHandle weakHandle() = 0;
};

} // namespace orb
