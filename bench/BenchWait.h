#pragma once

#include <QtCore/QCoreApplication>
#include <QtCore/QDeadlineTimer>
#include <QtCore/QTimer>

// Runs the event loop until done() holds or timeoutMs pass, as an
// application's own loop does: it wakes for each event and never sleeps in
// between. (QTest::qWaitFor sleeps up to 10 ms between its rounds, which
// would put the harness's own sleep in a measured start.)
template<typename Predicate>
bool benchWaitFor(Predicate done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer wake; // bounds each wait, so that done() is seen soon after it holds
    wake.start(1);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}
