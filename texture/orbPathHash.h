#pragma once

#include <QtGui/QPainterPath>

// The hash of a path's geometry: its elements' coordinates (to a thousandth)
// and types, so that equal paths from different documents meet in one table.
uint pathHash(const QPainterPath &path, uint seed);

// Lets QHash key on paths.
inline uint qHash(const QPainterPath &path, uint seed = 0)
{
    return pathHash(path, seed);
}
