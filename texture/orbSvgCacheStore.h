#pragma once

#include "orbPathHash.h"
#include "orbTextureAtlas.h"
#include "ref_ptr.h"

#include <QtCore/QDir>
#include <QtCore/QList>
#include <QtCore/QRect>
#include <QtCore/QSet>
#include <QtCore/QVector>
#include <QtGui/QImage>
#include <QtGui/QPainterPath>

#include <functional>

class orbSubTexture;

// The distance-field cache on disk: a JSON descriptor "cache.dscr" listing
// each path with its place in an atlas, and one PNG per atlas. Everything read
// is checked before it is trusted; a write never leaves the folder without a
// loadable cache and deletes no file that is not the cache's own.
class orbSvgCacheStore
{
public:
    // The fields a folder holds, read and checked; their atlases go to an
    // AtlasSink as they are decoded.
    struct Contents
    {
        struct Field
        {
            QPainterPath path;
            int atlas; // index given to the sink
            QRect rect;
        };
        QVector<Field> fields;
    };

    // Told of each atlas as soon as it is decoded and checked, on whichever
    // thread decoded it.
    using AtlasSink = std::function<void(int atlas, const QImage &image)>;

    // The fields of folder that pass every check, fields of fieldSize square,
    // in descriptor order, except those whose paths are in known (an atlas
    // holding only such fields is not even decoded). An atlas is used only
    // when its pixels match the checksum the descriptor gives for it; each
    // atlas used is handed to decoded. Needs no GL context: any thread.
    static Contents read(const QDir &folder, int fieldSize, const AtlasSink &decoded,
                         const QSet<QPainterPath> &known = QSet<QPainterPath>());

    // Dated: fresh atlas names and the time of the save, as a running cache
    // writes. Reproducible: names derived from the atlases' content and no
    // dates, so that the same entries always give the same bytes.
    enum WriteMode { Dated, Reproducible };

    // The version of the descriptor format that write() makes and read() accepts.
    static constexpr int FormatVersion = 3;

    // Writes the textures' atlases and the descriptor (entries in the order
    // given), then removes the cache's files that the new descriptor no
    // longer names. False when the descriptor could not be written.
    static bool write(const QDir &folder,
                      const QList<QPair<QPainterPath, orbSubTexture *>> &entries,
                      WriteMode mode = Dated);

    // Whether fileName is one of the files a write makes (or leaves while writing).
    static bool isCacheFile(const QString &fileName);

    // Called after each step of a write that leaves something on disk; lets
    // tests stop the process at any point of a save.
    using StepHook = void (*)(int step);
    static void setStepHook(StepHook hook);
};
