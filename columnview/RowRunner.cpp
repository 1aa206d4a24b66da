#include "RowRunner.h"

#include "orbQuickColumnViewRow.h"

#include <QtCore/QRandomGenerator>

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

// A negative delay spreads reads over 16 to 256 ms in steps of 16.
int RowRunner::delayMilliseconds() const
{
    if (m_fetchDelay < 0)
        return (1 + int(QRandomGenerator::global()->bounded(16u))) * 16;
    return m_fetchDelay;
}

void RowRunner::run()
{
    const int delay = delayMilliseconds();
    if (delay > 0)
        m_row->sleepForFetch(delay);
    if (m_row->index() == m_rowIndex && m_row->readForTask(m_generation, m_rowIndex))
        emit finished();
    m_row->forgetTask(this);
}
