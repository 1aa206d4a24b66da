#pragma once

#include "orbTextureAtlas.h"
#include "ref_ptr.h"

#include <QtCore/QDir>
#include <QtCore/QList>
#include <QtCore/QRect>
#include <QtGui/QPainterPath>

class orbSubTexture;

// The distance-field cache on disk: a JSON descriptor "cache.dscr" listing
// each path with its place in an atlas, and one PNG per atlas. Everything read
// is checked before it is trusted; a write never leaves the folder without a
// loadable cache and deletes no file that is not the cache's own.
class orbSvgCacheStore
{
public:
    struct Entry
    {
        QPainterPath path;
        orb::ref_ptr<orbTextureAtlas> atlas;
        QRect rect;
    };

    // The entries of folder that pass every check, fields of fieldSize square,
    // in descriptor order. Needs the render thread's GL context for the atlases.
    static QList<Entry> read(const QDir &folder, int fieldSize);

    // Writes the textures' atlases and the descriptor, then removes the
    // cache's files that the new descriptor no longer names.
    static void write(const QDir &folder,
                      const QList<QPair<QPainterPath, orbSubTexture *>> &entries);

    // Whether fileName is one of the files a write makes (or leaves while writing).
    static bool isCacheFile(const QString &fileName);

    // Called after each step of a write that leaves something on disk; lets
    // tests stop the process at any point of a save.
    using StepHook = void (*)(int step);
    static void setStepHook(StepHook hook);
};
