#include "RowRunner.h"

#include "orbQuickColumnViewRow.h"

#include <QtCore/QRandomGenerator>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

RowRunner::RowRunner(orbQuickColumnViewRow *row, int generation, int fetchDelay)
    : m_row(row)
    , m_generation(generation)
    , m_fetchDelay(fetchDelay)
    , m_rowIndex(row->index())
{
}

// The count goes down last: once it reaches 0 the row may be gone.
RowRunner::~RowRunner()
{
    m_row->forgetTask(this);
    m_row->taskEnded();
}

void RowRunner::handedToPool()
{
#if defined(__SANITIZE_THREAD__)
    __tsan_release(this);
#endif
}

// A negative delay spreads reads over 16 to 256 ms in steps of 16.
int RowRunner::delayMilliseconds() const
{
    if (m_fetchDelay < 0)
        return (1 + int(QRandomGenerator::global()->bounded(16u))) * 16;
    return m_fetchDelay;
}

void RowRunner::run()
{
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(this);
#endif
    orbQuickColumnViewRow *row = m_row;
    const int delay = delayMilliseconds();
    if (delay > 0)
        row->sleepForFetch(delay);
    if (row->index() == m_rowIndex && row->readForTask(m_generation, m_rowIndex))
        emit finished();
    row->forgetTask(this);
}
