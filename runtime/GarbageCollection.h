#pragma once

#include "Thread.h"

#include <atomic>
#include <cstdint>

namespace orb {

class Irefcounted;

// The process-wide collector: objects whose last strong reference was dropped
// are queued here (lock-free, from any thread) and destroyed a little later on
// the collector's own thread, or, for QObjects living in another running
// thread, in that thread through deleteLater().
// Created and destroyed by the host application on its main thread; the host
// publishes its address in the application property named applicationProperty.
class ORB_RUNTIME_EXPORT GarbageCollection : public Thread
{
public:
    static constexpr const char *applicationProperty = "orb::GarbageCollection";

    // intervalMs: idle sleep, and how long each object is held (about one
    // second of age at 1000 ms).
    explicit GarbageCollection(int intervalMs);
    ~GarbageCollection() override;

    // The collector every last release goes to (null when none is published).
    static GarbageCollection *instance();
    static void setInstance(GarbageCollection *collector);

    // Queues an object that carries one reference owned by the queue. Called by release().
    void enqueue(Irefcounted *obj);

    // Disposes of everything queued so far, oldest first; when throttled, each
    // object is first held until it has aged. Returns whether anything was taken.
    bool collect(bool throttled);

    // Drops the queue's reference; destroys the object when it was the last one
    // (through deleteLater() for a QObject of another running thread; during
    // shutdown only when that thread is not the application's). obj is nulled.
    static bool dispose(Irefcounted *&obj, bool shutdown);

    int pendingCount() const { return m_pendingCount.load(); }
    int interval() const { return m_interval; }

protected:
    void run() override;

private:
    struct PendingNode
    {
        Irefcounted *object;
        std::int64_t enqueued; // monotonic milliseconds
        PendingNode *next;
    };

    static constexpr int BoostThreshold = 100;
    static constexpr int BoostedPriority = 9;
    static constexpr int DrainedPriority = 5;

    void holdUntilAged(std::int64_t enqueued);

    std::atomic<PendingNode *> m_pending{nullptr};
    std::atomic<bool> m_shuttingDown{false};
    const int m_interval;
    std::atomic<int> m_pendingCount{0};
    std::atomic<int> m_boosted{0};
};

} // namespace orb
