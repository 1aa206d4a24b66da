#pragma once

#include "orbSvgCacheStore.h"

#include <QtCore/QDir>
#include <QtCore/QVector>

#include <future>
#include <mutex>

// Reads the cache folders on a thread of its own, so that decoding and
// checking the atlases overlaps the rest of an application's start instead of
// delaying its first frame. Started by the cache on the GUI thread; taken from
// on the render thread, which waits only for a read still running; destroyed
// with the cache, waiting for such a read.
class orbSvgCacheLoader
{
public:
    orbSvgCacheLoader() = default;
    ~orbSvgCacheLoader();
    orbSvgCacheLoader(const orbSvgCacheLoader &) = delete;
    orbSvgCacheLoader &operator=(const orbSvgCacheLoader &) = delete;

    // Starts reading seed (when it exists) and then writable; what seed holds
    // is not decoded again from writable. Replaces a read not yet taken.
    void start(const QDir &seed, const QDir &writable, int fieldSize);
    // The contents of the folders, seed first, once the read is done; empty
    // when nothing was started since the last take.
    QVector<orbSvgCacheStore::Contents> take();

private:
    std::mutex m_mutex;
    std::future<QVector<orbSvgCacheStore::Contents>> m_result;
};
