#pragma once

#include <QtGui/QImage>

namespace orb {
class GarbageCollection;
}

// Watches the published collector at work: releases bursts of shared objects
// from a worker thread and samples, over a few collector intervals, how many
// wait in its queue and how many it has destroyed, then draws both over time.
// GUI thread; the objects are released on a worker and destroyed on the
// collector's thread.
class CollectorTrace
{
public:
    explicit CollectorTrace(orb::GarbageCollection &collector);

    QImage record();

private:
    orb::GarbageCollection &m_collector;
};
