#include "DistanceCoverage.h"

#include <QtGui/QPainter>
#include <QtGui/QTransform>

#include <utility>

namespace orbsdf {

namespace {

constexpr int Margin = 128; // one more than the reach, so the raster edge never hides a pixel

// Coverage is aliased, so one alpha byte per pixel holds all of it; a quarter
// of the ARGB32 memory to clear, fill and sweep, same pixels covered.
constexpr QImage::Format CoverageFormat = QImage::Format_Alpha8;

// The coverage raster of path, and in ink the pixels it may cover (the
// mapped bounds, widened to cover any rounding of the fill's edges) and in
// edges the blocks it may leave mixed, when asked for.
QImage rasterize(const QPainterPath &path, const QSizeF &renderSize, QRect *ink,
                 EdgeBlocks *edges = nullptr)
{
    QImage raster(renderSize.toSize(), CoverageFormat);
    *ink = QRect();
    if (raster.isNull())
        return raster;
    raster.fill(Qt::transparent);

    const QRectF r = path.boundingRect();
    // In single precision: the scale decides which pixels are covered, so its
    // exact arithmetic is part of the result.
    const float w = float(r.width());
    const float h = float(r.height());
    const float longer = h > w ? h : w;
    if (!(longer > 0))
        return raster; // a point has nothing to scale up and covers no pixel

    // The longer side spans [Margin, size - Margin], the shorter one is centred.
    QTransform m;
    m.translate(Margin, Margin);
    const float s = (float(renderSize.width()) - float(2 * Margin)) / longer;
    m.scale(double(s), double(s));
    m.translate(-r.x(), -r.y());
    if (r.width() >= r.height())
        m.translate(0, (r.width() - r.height()) * 0.5);
    else
        m.translate((r.height() - r.width()) * 0.5, 0);

    QPainter painter(&raster);
    painter.setTransform(m, false);
    painter.fillPath(path, QBrush(Qt::black, Qt::SolidPattern));
    painter.end();
    *ink = m.mapRect(r).toAlignedRect().adjusted(-2, -2, 2, 2);
    if (edges)
        *edges = EdgeBlocks(path, m, raster.size());
    return raster;
}

} // namespace

QImage rasterizePath(const QPainterPath &path, const QSizeF &renderSize)
{
    QRect ink;
    return rasterize(path, renderSize, &ink);
}

QImage generateDistanceField(const QPainterPath &path, const QSizeF &renderSize, int fieldSize,
                             int searchLevel)
{
    // Samples are packed four to a pixel, a whole scan line per field row.
    if (fieldSize < 4 || fieldSize % 4 != 0)
        return QImage();
    QImage field(fieldSize >> 2, fieldSize, QImage::Format_ARGB32);
    QRect ink;
    EdgeBlocks edges;
    const QImage raster = rasterize(path, renderSize, &ink, &edges);
    computeDistanceField(CoverageView(raster, ink, std::move(edges)), fieldSize, {field.bits(), 1},
                         searchLevel);
    return field;
}

} // namespace orbsdf
