#include "Thread.h"

#include "RuntimeLog.h"
#include "ThreadPlatform.h"

#include <boost/chrono.hpp>
#include <boost/thread/locks.hpp>

#include <cxxabi.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <typeinfo>

namespace orb {

namespace {

// The unqualified class name of a polymorphic object, for naming its thread.
std::string shortClassName(const std::type_info &type)
{
    int status = 0;
    char *demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : type.name();
    std::free(demangled);
    const auto scope = name.rfind("::");
    return scope == std::string::npos ? name : name.substr(scope + 2);
}

} // namespace

Thread::Thread(int priority, int cpu)
    : m_priority(priority)
    , m_cpu(cpu)
{
}

Thread::~Thread()
{
    stop(-1);
}

void Thread::start(int priority)
{
    stop(-1);
    m_state.store(Starting);
    if (priority != KeepPriority)
        setPriority(priority);
    m_stopRequested.store(false);
    m_thread = std::make_unique<boost::thread>(&Thread::entry, this);
    m_state.fetch_add(1);
}

bool Thread::stop(int timeoutMs)
{
    if (m_state.load() == Idle)
        return true;
    waitWhileStarting();
    if (m_thread) {
        requestStop();
        if (timeoutMs >= 0) {
            if (!m_thread->try_join_for(boost::chrono::milliseconds(timeoutMs)))
                return false;
        } else {
            m_thread->join();
        }
        m_thread.reset();
    }
    m_threadId.store(0);
    m_state.store(Idle);
    return true;
}

bool Thread::isStopRequested() const
{
    if (m_stopRequested.load())
        return true;
    const long worker = m_threadId.load();
    return worker != 0 && worker == platform::currentThreadId()
        && boost::this_thread::interruption_requested();
}

void Thread::setPriority(int priority)
{
    m_priority.store(priority);
    const long worker = m_threadId.load();
    if (worker != 0 && !platform::setThreadPriority(worker, priority))
        qCDebug(lcRuntime, "orb::Thread: priority %d refused by the system", priority);
}

void Thread::sleep(int ms)
{
    if (ms > 0)
        boost::this_thread::sleep_for(boost::chrono::milliseconds(ms));
}

bool Thread::waitForWakeUp(int ms)
{
    boost::unique_lock<boost::mutex> lock(m_wakeMutex);
    m_wakeUp.wait_for(lock, boost::chrono::milliseconds(ms),
                      [this] { return m_stopRequested.load(); });
    return !m_stopRequested.load();
}

void Thread::requestStop()
{
    {
        // Under the mutex, so a waiter cannot miss the notification.
        boost::lock_guard<boost::mutex> lock(m_wakeMutex);
        m_stopRequested.store(true);
    }
    m_wakeUp.notify_all();
}

void Thread::interruptAndJoin()
{
    if (!m_thread)
        return;
    requestStop();
    m_thread->interrupt();
    m_thread->join();
    m_thread.reset();
}

void Thread::waitWhileStarting() const
{
    while (m_state.load() == Starting)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void Thread::entry(Thread *self)
{
    // The starter stores the thread object before it leaves the starting state.
    self->waitWhileStarting();
    if (!self->m_thread)
        qFatal("There was no thread pointer ?!");

    self->m_threadId.store(platform::currentThreadId());
    self->setPriority(self->m_priority.load());
    platform::setCurrentThreadName(shortClassName(typeid(*self)).c_str());
    try {
        self->run();
    } catch (const boost::thread_interrupted &) {
        // An interruption that escapes run() just ends the thread.
    }
    self->m_threadId.store(0);
}

} // namespace orb
