#pragma once

#include "orbSvgCacheStore.h"

#include <QtCore/QDir>
#include <QtCore/QVector>

#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>

// Reads the cache folders on a thread of its own, so that decoding and
// checking the atlases overlaps the rest of an application's start instead of
// delaying its first frame. Started by the cache on the GUI thread; taken from
// on the render thread, which waits only for a read still running and
// uploads the atlases decoded so far while it waits; destroyed with the
// cache, waiting for such a read.
class orbSvgCacheLoader
{
public:
    // An atlas that passed its checks: the index of its folder in what take()
    // returns, and the index that folder's fields give it.
    struct DecodedAtlas
    {
        int folder;
        int atlas;
        QImage image;
    };
    using AtlasHandler = std::function<void(const DecodedAtlas &)>;

    orbSvgCacheLoader() = default;
    ~orbSvgCacheLoader();
    orbSvgCacheLoader(const orbSvgCacheLoader &) = delete;
    orbSvgCacheLoader &operator=(const orbSvgCacheLoader &) = delete;

    // Starts reading seed (when it exists) and then writable; what seed holds
    // is not decoded again from writable. Replaces a read not yet taken.
    void start(const QDir &seed, const QDir &writable, int fieldSize);
    // The contents of the folders, seed first, once the read is done; empty
    // when nothing was started since the last take. Until then each atlas
    // that the read decodes is handed to decoded, on the calling thread.
    QVector<orbSvgCacheStore::Contents> take(const AtlasHandler &decoded);

private:
    QVector<orbSvgCacheStore::Contents> read(const QDir &seed, const QDir &writable, int fieldSize);
    void publish(DecodedAtlas atlas);
    void finish();

    std::mutex m_mutex; // start and take
    std::future<QVector<orbSvgCacheStore::Contents>> m_result;

    std::mutex m_queueMutex;
    std::condition_variable m_queueChanged;
    QVector<DecodedAtlas> m_decoded; // not yet handed out
    bool m_readDone = false;
};
