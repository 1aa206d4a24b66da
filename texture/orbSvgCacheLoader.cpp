#include "orbSvgCacheLoader.h"

#include "SvgLog.h"

#include <QtCore/QElapsedTimer>

namespace {

QVector<orbSvgCacheStore::Contents> readFolders(const QDir &seed, const QDir &writable,
                                                int fieldSize)
{
    QElapsedTimer timer;
    timer.start();
    QVector<orbSvgCacheStore::Contents> folders;
    QSet<QPainterPath> seeded;
    if (seed.exists()) {
        folders.append(orbSvgCacheStore::read(seed, fieldSize));
        for (const orbSvgCacheStore::Contents::Field &field : qAsConst(folders.first().fields))
            seeded.insert(field.path);
    }
    // A running cache saves what it loaded from the seed folder too: those
    // atlases would only be decoded to be dropped.
    folders.append(orbSvgCacheStore::read(writable, fieldSize, seeded));
    qCInfo(lcSvg) << "Read the cache folders in" << timer.elapsed() << "ms";
    return folders;
}

} // namespace

orbSvgCacheLoader::~orbSvgCacheLoader()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_result.valid())
        m_result.wait();
}

void orbSvgCacheLoader::start(const QDir &seed, const QDir &writable, int fieldSize)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    // Replacing a future of std::async waits for its thread.
    m_result = std::async(std::launch::async, readFolders, seed, writable, fieldSize);
}

QVector<orbSvgCacheStore::Contents> orbSvgCacheLoader::take()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_result.valid())
        return QVector<orbSvgCacheStore::Contents>();
    QElapsedTimer timer;
    timer.start();
    m_result.wait();
    qCInfo(lcSvg) << "Waited" << timer.elapsed() << "ms for the cache folders";
    return m_result.get();
}
