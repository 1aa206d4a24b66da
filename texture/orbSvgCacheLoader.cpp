#include "orbSvgCacheLoader.h"

#include "SvgLog.h"

#include <QtCore/QElapsedTimer>

orbSvgCacheLoader::~orbSvgCacheLoader()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_result.valid())
        m_result.wait();
}

void orbSvgCacheLoader::start(const QDir &seed, const QDir &writable, int fieldSize)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    // The read being replaced ends before its atlases are dropped: none of
    // them may reach the queue of the next one.
    if (m_result.valid())
        m_result.wait();
    {
        std::lock_guard<std::mutex> queueLock(m_queueMutex);
        m_decoded.clear();
        m_readDone = false;
    }
    m_result = std::async(std::launch::async, [this, seed, writable, fieldSize] {
        QVector<orbSvgCacheStore::Contents> folders = read(seed, writable, fieldSize);
        finish();
        return folders;
    });
}

QVector<orbSvgCacheStore::Contents> orbSvgCacheLoader::read(const QDir &seed, const QDir &writable,
                                                            int fieldSize)
{
    QElapsedTimer timer;
    timer.start();
    QVector<orbSvgCacheStore::Contents> folders;
    QSet<QPainterPath> seeded;
    const auto sinkFor = [this](int folder) {
        return [this, folder](int atlas, const QImage &image) {
            publish(DecodedAtlas{folder, atlas, image});
        };
    };
    if (seed.exists()) {
        folders.append(orbSvgCacheStore::read(seed, fieldSize, sinkFor(0)));
        for (const orbSvgCacheStore::Contents::Field &field : qAsConst(folders.first().fields))
            seeded.insert(field.path);
    }
    // A running cache saves what it loaded from the seed folder too: those
    // atlases would only be decoded to be dropped.
    folders.append(orbSvgCacheStore::read(writable, fieldSize, sinkFor(folders.size()), seeded));
    qCInfo(lcSvg) << "Read the cache folders in" << timer.elapsed() << "ms";
    return folders;
}

void orbSvgCacheLoader::publish(DecodedAtlas atlas)
{
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_decoded.append(std::move(atlas));
    }
    m_queueChanged.notify_one();
}

void orbSvgCacheLoader::finish()
{
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_readDone = true;
    }
    m_queueChanged.notify_one();
}

QVector<orbSvgCacheStore::Contents> orbSvgCacheLoader::take(const AtlasHandler &decoded)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_result.valid())
        return QVector<orbSvgCacheStore::Contents>();
    QElapsedTimer timer;
    timer.start();
    for (bool done = false; !done;) {
        QVector<DecodedAtlas> ready;
        {
            std::unique_lock<std::mutex> queueLock(m_queueMutex);
            m_queueChanged.wait(queueLock, [this] { return !m_decoded.isEmpty() || m_readDone; });
            ready.swap(m_decoded);
            done = m_readDone;
        }
        for (const DecodedAtlas &atlas : qAsConst(ready))
            decoded(atlas);
    }
    qCInfo(lcSvg) << "Waited" << timer.elapsed() << "ms for the cache folders";
    return m_result.get();
}
