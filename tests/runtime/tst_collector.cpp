// Deferred destruction: reference counting, the collector thread and orb::Thread.

#include "QmlTestSupport.h"
#include "ThreadPlatform.h"
#include "orbRuntime.h"

#include <QtCore/QFile>
#include <QtCore/QThread>
#include <QtTest/QtTest>

#include <atomic>
#include <memory>
#include <thread>

#include <sys/resource.h>

namespace {

// Where and whether an object was destroyed; outlives the object.
struct DeathRecord
{
    void record()
    {
        thread.store(std::this_thread::get_id());
        qthread.store(QThread::currentThread());
        destroyed.store(true);
    }
    std::atomic<bool> destroyed{false};
    std::atomic<std::thread::id> thread{};
    std::atomic<QThread *> qthread{nullptr};
};

struct Probe : orb::refcounted
{
    explicit Probe(DeathRecord *record = nullptr)
        : m_record(record)
    {
    }
    ~Probe() override
    {
        if (m_record)
            m_record->record();
    }

private:
    DeathRecord *m_record;
};

class QProbe : public QObject, public orb::refcounted
{
    Q_OBJECT
    Q_INTERFACES(orb::refcounted)

public:
    explicit QProbe(DeathRecord *record)
        : m_record(record)
    {
    }
    ~QProbe() override { m_record->record(); }

private:
    DeathRecord *m_record;
};

// Releases its inner object while it is being destroyed.
struct Chain : orb::refcounted
{
    ~Chain() override
    {
        inner.reset();
        innerGoneOnRelease = innerRecord.destroyed.load() ? 1 : 0;
    }
    DeathRecord innerRecord;
    orb::ref_ptr<Probe> inner{new Probe(&innerRecord)};
    static inline std::atomic<int> innerGoneOnRelease{-1};
};

// Keeps running until released, ignoring stop requests.
class StubbornThread : public orb::Thread
{
public:
    ~StubbornThread() override
    {
        release.store(true);
        stop(-1);
    }
    std::atomic<bool> release{false};

protected:
    void run() override
    {
        while (!release.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
};

// Reports its kernel id, then waits to be stopped.
class IdleThread : public orb::Thread
{
public:
    ~IdleThread() override { stop(-1); }
    std::atomic<long> threadId{0};

protected:
    void run() override
    {
        threadId.store(orb::platform::currentThreadId());
        while (waitForWakeUp(1000)) { }
    }
};

int niceOf(long threadId)
{
    errno = 0;
    return ::getpriority(PRIO_PROCESS, id_t(threadId));
}

} // namespace

class tst_Collector : public QObject
{
    Q_OBJECT

private slots:
    void lastReleaseIsDestroyedLaterOnTheCollectorThread();
    void reacquiredBeforeDisposalSurvives();
    void qobjectOfARunningWorkerDiesInThatWorker();
    void overflowRaisesPriorityUntilTheNextCollection();
    void releaseDuringShutdownDestroysAtOnce();
    void releaseWithoutCollectorDestroysInPlace();
    void timedStopOfABusyThreadFails();
    void prioritiesAndNamesReachTheSystem();
};

void tst_Collector::lastReleaseIsDestroyedLaterOnTheCollectorThread()
{
    orb::GarbageCollection collector(200);
    QCOMPARE(orb::GarbageCollection::instance(), &collector);

    DeathRecord record;
    orb::ref_ptr<Probe> probe(new Probe(&record));
    Probe *raw = probe.get();
    orb::WeakHandle weak = probe->weakHandle();
    orb::ref_ptr<Probe> copy = probe;
    QCOMPARE(raw->refCount(), 2);
    copy.reset();
    QCOMPARE(raw->refCount(), 1);
    QCOMPARE(collector.pendingCount(), 0);

    probe.reset();
    // Queued, not destroyed by the releasing thread.
    QVERIFY(!record.destroyed.load());
    QVERIFY(!weak.isAlive());
    QCOMPARE(weak.object(), raw);

    QTRY_VERIFY_WITH_TIMEOUT(record.destroyed.load(), 5000);
    QVERIFY(record.thread.load() != std::this_thread::get_id());
    QCOMPARE(weak.object(), nullptr);
    QVERIFY(!weak.isAlive());
    QTRY_COMPARE(collector.pendingCount(), 0);
}

void tst_Collector::reacquiredBeforeDisposalSurvives()
{
    orb::GarbageCollection collector(20);
    QVERIFY(collector.stop(-1)); // collect by hand from here on

    DeathRecord record;
    orb::ref_ptr<Probe> probe(new Probe(&record));
    Probe *raw = probe.get();
    orb::WeakHandle weak = raw->weakHandle();
    probe.reset();
    QCOMPARE(collector.pendingCount(), 1);
    QVERIFY(!weak.isAlive());

    orb::ref_ptr<Probe> again(raw);
    QVERIFY(weak.isAlive());
    QVERIFY(collector.collect(false));
    QVERIFY(!record.destroyed.load());
    QCOMPARE(raw->refCount(), 1);
    QVERIFY(weak.isAlive());
    QCOMPARE(collector.pendingCount(), 0);

    again.reset();
    QVERIFY(collector.collect(false));
    QVERIFY(record.destroyed.load());
    QCOMPARE(weak.object(), nullptr);
    QVERIFY(!collector.collect(false));
}

void tst_Collector::qobjectOfARunningWorkerDiesInThatWorker()
{
    orb::GarbageCollection collector(20);
    QThread worker;
    worker.start();
    DeathRecord record;
    auto *object = new QProbe(&record);
    object->moveToThread(&worker);
    QVERIFY(qobject_cast<orb::refcounted *>(object));

    orb::ref_ptr<QProbe> ref(object);
    ref.reset();
    QTRY_VERIFY_WITH_TIMEOUT(record.destroyed.load(), 5000);
    QCOMPARE(record.qthread.load(), &worker);
    worker.quit();
    QVERIFY(worker.wait(5000));
}

void tst_Collector::overflowRaisesPriorityUntilTheNextCollection()
{
    orb::GarbageCollection collector(20);
    QVERIFY(collector.stop(-1));
    QCOMPARE(collector.priority(), 0); // idle until the queue overflows

    std::vector<Probe *> probes;
    for (int i = 0; i < 102; ++i) {
        orb::ref_ptr<Probe> probe(new Probe);
        probes.push_back(probe.get());
        if (i == 100)
            QCOMPARE(collector.priority(), 0); // 101 queued: not yet
    }
    QCOMPARE(collector.pendingCount(), 102);
    QCOMPARE(collector.priority(), 9);

    QVERIFY(collector.collect(false));
    QCOMPARE(collector.priority(), 5);
    QCOMPARE(collector.pendingCount(), 0);
}

void tst_Collector::releaseDuringShutdownDestroysAtOnce()
{
    Chain::innerGoneOnRelease.store(-1);
    {
        orb::GarbageCollection collector(60000);
        QVERIFY(collector.stop(-1));
        orb::ref_ptr<Chain> chain(new Chain);
        chain.reset(); // queued; the collector's destructor destroys it
    }
    QCOMPARE(Chain::innerGoneOnRelease.load(), 1);
    QCOMPARE(orb::GarbageCollection::instance(), nullptr);
}

void tst_Collector::releaseWithoutCollectorDestroysInPlace()
{
    QCOMPARE(orb::GarbageCollection::instance(), nullptr);
    orbtest::MessageCapture messages;
    DeathRecord record;
    orb::ref_ptr<Probe> probe(new Probe(&record));
    orb::WeakHandle weak = probe->weakHandle();
    probe.reset();
    QVERIFY(record.destroyed.load());
    QVERIFY(record.thread.load() == std::this_thread::get_id());
    QCOMPARE(weak.object(), nullptr);
    QVERIFY(messages.contains(QStringLiteral("no collector published")));
}

void tst_Collector::timedStopOfABusyThreadFails()
{
    StubbornThread thread;
    thread.start();
    QVERIFY(thread.isRunning());
    QVERIFY(!thread.stop(0));
    QVERIFY(thread.isRunning());
    QVERIFY(thread.isStopRequested());
    thread.release.store(true);
    QVERIFY(thread.stop(-1));
    QVERIFY(!thread.isRunning());
    QVERIFY(thread.stop(0)); // idle: nothing to stop
}

void tst_Collector::prioritiesAndNamesReachTheSystem()
{
    // The mapping keeps the order of the priority scale.
    const int scale[] = {0, 1, 3, 5, 7, 9, 10};
    for (size_t i = 1; i < std::size(scale); ++i)
        QVERIFY(orb::platform::niceForPriority(scale[i])
                < orb::platform::niceForPriority(scale[i - 1]));

    IdleThread thread;
    thread.start(1);
    QTRY_VERIFY(thread.threadId.load() != 0);
    const long id = thread.threadId.load();
    QCOMPARE(niceOf(id), orb::platform::niceForPriority(1));

    QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(id));
    QVERIFY(comm.open(QIODevice::ReadOnly));
    QCOMPARE(comm.readAll().trimmed(), QByteArray("IdleThread"));

    thread.setPriority(3);
    QCOMPARE(thread.priority(), 3);
    QCOMPARE(niceOf(id), orb::platform::niceForPriority(3));
    // Raising needs a privilege the system may refuse; that is not an error.
    thread.setPriority(9);
    QCOMPARE(thread.priority(), 9);
    if (niceOf(id) != orb::platform::niceForPriority(9))
        QCOMPARE(niceOf(id), orb::platform::niceForPriority(3));
    QVERIFY(thread.stop(-1));
}

QTEST_GUILESS_MAIN(tst_Collector)
#include "tst_collector.moc"
