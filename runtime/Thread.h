#pragma once

#include "orbRuntimeGlobal.h"

#include <boost/thread/condition_variable.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>

#include <atomic>
#include <memory>

namespace orb {

// A worker thread with a priority, a cooperative stop request and boost
// interruption. Created and controlled by one owner thread; run() executes on
// the worker. Subclasses must stop the thread in their own destructor, since
// run() belongs to them.
class ORB_RUNTIME_EXPORT Thread
{
public:
    // Priorities: 0 idle, 1 lowest, 2..4 below normal, 5..6 normal,
    // 7..8 above normal, 9 highest, 10 and more time critical.
    explicit Thread(int priority = 5, int cpu = -1);
    virtual ~Thread();

    Thread(const Thread &) = delete;
    Thread &operator=(const Thread &) = delete;

    static constexpr int KeepPriority = -2;

    // Stops a running thread, then starts run() on a new one.
    void start(int priority = KeepPriority);
    // Asks the thread to stop and joins it. A negative timeout waits without
    // limit; an expired timeout returns false and leaves the thread running.
    bool stop(int timeoutMs = -1);
    bool isStopRequested() const;
    bool isRunning() const { return m_state.load() == Running; }

    // Applies the priority to the running thread (a refused change is ignored) and stores it.
    void setPriority(int priority);
    int priority() const { return m_priority.load(); }
    int cpu() const { return m_cpu; }

    // Interruptible sleep: throws boost::thread_interrupted when the calling
    // boost thread is interrupted.
    static void sleep(int ms);

protected:
    virtual void run() = 0;

    // Waits up to ms milliseconds for a stop request; returns false once one was made.
    bool waitForWakeUp(int ms);
    void requestStop();
    // Interrupts the thread at its next interruption point and joins it.
    void interruptAndJoin();

private:
    enum State { Idle = 0, Starting = 1, Running = 2 };

    static void entry(Thread *self);
    void waitWhileStarting() const;

    std::atomic<bool> m_stopRequested{false};
    std::unique_ptr<boost::thread> m_thread;
    std::atomic<int> m_priority;
    int m_cpu;
    boost::condition_variable_any m_wakeUp;
    boost::mutex m_wakeMutex;
    std::atomic<int> m_state{Idle};
    std::atomic<long> m_threadId{0}; // kernel id of the worker while it runs
};

} // namespace orb
