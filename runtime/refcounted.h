#pragma once

#include "Irefcounted.h"
#include "WeakHandle.h"

#include <QtCore/qobject.h>

#include <atomic>

namespace orb {

// Base of objects shared between threads. The count starts at 0; the first
// ref_ptr makes it 1. Dropping the last reference through orb::release() hands
// the object to the process-wide collector instead of deleting it on the spot.
class ORB_RUNTIME_EXPORT refcounted : public virtual Irefcounted
{
public:
    refcounted();
    ~refcounted() override;

    refcounted(const refcounted &) = delete;
    refcounted &operator=(const refcounted &) = delete;

    void addRef() override;
    int release() override;
    int incRef() override;
    int decRef() override;
    WeakHandle weakHandle() override;

    int refCount() const { return m_refCount.load(); }

private:
    friend ORB_RUNTIME_EXPORT void acquire(refcounted *obj);
    friend ORB_RUNTIME_EXPORT void release(refcounted *obj);

    std::atomic<int> m_refCount{0};
    WeakHandle m_ownWeak; // the object's own reference to its weak block
};

// Takes a strong reference. An object taken again after its count reached 0
// (and before the collector disposed of it) counts as alive again.
ORB_RUNTIME_EXPORT void acquire(refcounted *obj);
ORB_RUNTIME_EXPORT void acquire(Irefcounted *obj);

// Gives a strong reference back. The last one queues the object on the
// collector, which then owns one reference and destroys it later.
ORB_RUNTIME_EXPORT void release(refcounted *obj);
ORB_RUNTIME_EXPORT void release(Irefcounted *obj);

} // namespace orb

Q_DECLARE_INTERFACE(orb::refcounted, "orb::refcounted")
