#include "GarbageCollection.h"

#include "Irefcounted.h"
#include "ThreadPlatform.h"
#include "WeakHandle.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QObject>
#include <QtCore/QThread>

namespace orb {

namespace {
std::atomic<GarbageCollection *> s_collector{nullptr};

bool diesInOwnThread(QObject *object, bool shutdown)
{
    QThread *owner = object->thread();
    if (!owner || owner == QThread::currentThread() || !owner->isRunning())
        return false;
    if (!shutdown)
        return true;
    const QCoreApplication *app = QCoreApplication::instance();
    return app && owner != app->thread();
}
} // namespace

GarbageCollection::GarbageCollection(int intervalMs)
    : Thread(0, -1)
    , m_interval(intervalMs)
{
    setInstance(this);
    start(KeepPriority);
}

GarbageCollection::~GarbageCollection()
{
    m_shuttingDown.store(true);
    interruptAndJoin();
    stop(-1);
    collect(false);
    GarbageCollection *self = this;
    s_collector.compare_exchange_strong(self, nullptr);
    // Anything a racing release pushed after the drain above.
    collect(false);
}

GarbageCollection *GarbageCollection::instance()
{
    return s_collector.load();
}

void GarbageCollection::setInstance(GarbageCollection *collector)
{
    s_collector.store(collector);
}

void GarbageCollection::enqueue(Irefcounted *obj)
{
    if (m_shuttingDown.load()) {
        dispose(obj, true);
        return;
    }
    auto *node = new PendingNode{obj, platform::monotonicMs(), m_pending.load()};
    while (!m_pending.compare_exchange_weak(node->next, node)) { }
    // Raise the priority once per overflow, not on every release past it.
    if (m_pendingCount.fetch_add(1) > BoostThreshold && m_boosted.load() == 0
        && m_boosted.exchange(1) == 0)
        setPriority(BoostedPriority);
}

bool GarbageCollection::collect(bool throttled)
{
    // Take the whole stack at once and reverse it: oldest first.
    PendingNode *newest = m_pending.exchange(nullptr);
    PendingNode *oldest = nullptr;
    while (newest) {
        PendingNode *next = newest->next;
        newest->next = oldest;
        oldest = newest;
        newest = next;
    }

    int count = 0;
    while (oldest) {
        if (throttled)
            holdUntilAged(oldest->enqueued);
        dispose(oldest->object, !throttled);
        PendingNode *next = oldest->next;
        delete oldest;
        oldest = next;
        ++count;
    }

    int boosted = 1;
    if (m_boosted.compare_exchange_strong(boosted, 0))
        setPriority(DrainedPriority);
    m_pendingCount.fetch_sub(count);
    return count > 0;
}

void GarbageCollection::holdUntilAged(std::int64_t enqueued)
{
    const double age = double(platform::monotonicMs() - enqueued);
    const double remaining = 1.0 - age * 0.001;
    if (remaining <= 0 || isStopRequested())
        return;
    try {
        sleep(int(m_interval * remaining));
    } catch (const boost::thread_interrupted &) {
        requestStop();
    }
}

bool GarbageCollection::dispose(Irefcounted *&obj, bool shutdown)
{
    if (!obj || obj->decRef() != 1) {
        obj = nullptr;
        return false;
    }
    obj->weakHandle().markDead();

    auto *object = dynamic_cast<QObject *>(obj);
    if (object && diesInOwnThread(object, shutdown))
        object->deleteLater();
    else
        delete obj;
    obj = nullptr;
    return true;
}

void GarbageCollection::run()
{
    while (!isStopRequested()) {
        const bool any = collect(true);
        if (any || isStopRequested())
            continue;
        try {
            sleep(m_interval);
        } catch (const boost::thread_interrupted &) {
            requestStop();
        }
    }
}

} // namespace orb
