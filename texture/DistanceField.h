#pragma once

#include <QtCore/QSizeF>
#include <QtGui/QImage>
#include <QtGui/QPainterPath>

#include <cstdint>
#include <vector>

// Signed distance fields of path outlines: a path is rasterised (aliased) at a
// large size and reduced to a small grid of bytes, 127 marking the outline,
// more inside, less outside. Plain functions, no GL, no hidden state.
namespace orbsdf {

// One candidate offset of the nearest-pixel search and its whole distance.
struct DistanceOffset
{
    std::int16_t dx;
    std::int16_t dy;
    std::int16_t d;
};

// Every integer offset with dx^2 + dy^2 < 128^2, nearest first (then by dy,
// then by dx); built once on first use.
const std::vector<DistanceOffset> &distanceOffsets();

// Search levels: how far the nearest-pixel search reaches.
constexpr int FastSearchLevel = -1;     // full reach, computed by the exact distance transform
constexpr int ReferenceSearchLevel = 3; // full reach, by brute force over the offset table
// How many leading offsets a brute-force search at searchLevel visits.
int offsetCount(int searchLevel);

// Where computeDistanceField writes: the first sample and the distance in
// bytes between consecutive samples.
struct FieldTarget
{
    std::uint8_t *first;
    int step;
};

// Fills n x n samples from the alpha of coverage (inside: alpha > 127), one
// per block at the block centre. FastSearchLevel runs the exact distance
// transform; any other level runs the brute-force search over the first
// offsetCount(searchLevel) offsets. Both give the same bytes at full reach.
// A coverage image without pixels makes every sample 0; n < 1 writes nothing.
void computeDistanceField(const QImage &coverage, int n, FieldTarget target, int searchLevel);

// The field image (fieldSize / 4 x fieldSize ARGB32, samples in byte order) of
// path, rasterised into renderSize with a 128-pixel margin. A path whose
// bounds have no size covers no pixel, so every sample is 0; a fieldSize that
// is not a positive multiple of 4 gives a null image.
QImage generateDistanceField(const QPainterPath &path, const QSizeF &renderSize, int fieldSize,
                             int searchLevel = FastSearchLevel);

// The aliased coverage raster generateDistanceField reduces.
QImage rasterizePath(const QPainterPath &path, const QSizeF &renderSize);

} // namespace orbsdf
