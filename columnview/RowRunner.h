#pragma once

#include <QtCore/QObject>
#include <QtCore/QRunnable>

class orbQuickColumnViewRow;

// One background read of a row's item data. Created by the row on the GUI
// thread, run and deleted by a thread of the pool (or deleted by the pool's
// cancel on the GUI thread); the row waits for every live task before dying.
class RowRunner : public QObject, public QRunnable
{
    Q_OBJECT

public:
    RowRunner(orbQuickColumnViewRow *row, int generation, int fetchDelay);
    ~RowRunner() override;

    void run() override;

    // The pool hands a task to its thread inside Qt, whose locks the thread
    // sanitizer cannot see: handedToPool() before QThreadPool::start() and run()
    // show it that hand-over. Nothing in other builds.
    void handedToPool();

signals:
    void finished();
    void sleepDuration(ulong duration);

private:
    int delayMilliseconds() const;

    orbQuickColumnViewRow *m_row;
    int m_generation;
    int m_fetchDelay;
    int m_rowIndex;
};
