#include "refcounted.h"

#include "GarbageCollection.h"
#include "RuntimeLog.h"
#include "WeakBlock.h"

#include <atomic>

namespace orb {

refcounted::refcounted()
    : m_ownWeak(new WeakBlock(this))
{
}

refcounted::~refcounted()
{
    m_ownWeak.markDead();
}

void refcounted::addRef()
{
    m_refCount.fetch_add(1);
}

int refcounted::release()
{
    const int previous = m_refCount.fetch_sub(1);
    if (previous == 1)
        delete this;
    return previous;
}

int refcounted::incRef()
{
    return m_refCount.fetch_add(1);
}

int refcounted::decRef()
{
    return m_refCount.fetch_sub(1);
}

WeakHandle refcounted::weakHandle()
{
    return m_ownWeak;
}

namespace {

// Without a published collector there is nowhere to defer to: the object is
// destroyed as the collector would destroy it, but in the releasing thread
// (QObjects of other running threads still die there, through deleteLater()).
void destroyWithoutCollector(Irefcounted *obj)
{
    static std::atomic<bool> warned{false};
    if (!warned.exchange(true)) {
        qCWarning(lcRuntime,
                  "orb::release: no collector published in the application property \"%s\"; "
                  "objects are destroyed by the releasing thread",
                  GarbageCollection::applicationProperty);
    }
    GarbageCollection::dispose(obj, false);
}

void handToCollector(Irefcounted *obj)
{
    obj->addRef(); // this reference now belongs to the collector
    if (GarbageCollection *collector = GarbageCollection::instance())
        collector->enqueue(obj);
    else
        destroyWithoutCollector(obj);
}

} // namespace

void acquire(refcounted *obj)
{
    obj->addRef();
    obj->m_ownWeak.compareAndSetAlive(0, 1);
}

void acquire(Irefcounted *obj)
{
    obj->addRef();
}

void release(refcounted *obj)
{
    if (obj->decRef() != 1)
        return;
    obj->m_ownWeak.compareAndSetAlive(1, 0);
    handToCollector(obj);
}

void release(Irefcounted *obj)
{
    if (obj->decRef() == 1)
        handToCollector(obj);
}

} // namespace orb
