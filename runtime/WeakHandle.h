#pragma once

#include "orbRuntimeGlobal.h"

namespace orb {

struct WeakBlock;
class refcounted;

// One weak reference to an object's WeakBlock: it tells whether the object is
// still alive without keeping it so. Copies take their own weak reference.
class ORB_RUNTIME_EXPORT WeakHandle
{
public:
    WeakHandle() = default;
    // Takes a new weak reference on block (null allowed).
    explicit WeakHandle(WeakBlock *block);
    WeakHandle(const WeakHandle &other);
    WeakHandle(WeakHandle &&other) noexcept;
    WeakHandle &operator=(WeakHandle other) noexcept;
    ~WeakHandle();

    bool isNull() const { return m_block == nullptr; }
    // True while strong references exist (or the object waits in the collector's queue
    // after being taken again).
    bool isAlive() const;
    // The object, or null once it has died. Not a strong reference.
    refcounted *object() const;
    // Atomically moves the alive flag from expected to desired; false when it was not expected.
    bool compareAndSetAlive(int expected, int desired);
    // Marks the object dead for good: not alive, no object.
    void markDead();

private:
    WeakBlock *m_block = nullptr;
};

} // namespace orb
