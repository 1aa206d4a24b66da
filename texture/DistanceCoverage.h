#pragma once

#include "DistanceField.h"
#include "EdgeBlocks.h"

#include <QtCore/QRect>
#include <QtCore/QtGlobal>
#include <QtGui/QImage>

// Internal to the distance-field kernels: how they read a coverage raster and
// encode a sample.
namespace orbsdf {

// Read-only access to the alpha bytes of a coverage raster. ARGB32 (either
// alpha convention) and Alpha8 are read in place; anything else is first
// converted to ARGB32, so only its alpha decides.
class CoverageView
{
public:
    // ink, when given, is where inside pixels may be: every pixel outside it
    // is outside, so the transform need not read there. edges, when given,
    // tells which blocks may mix kinds: of the others one pixel is read.
    explicit CoverageView(const QImage &coverage, const QRect &ink = QRect(),
                          EdgeBlocks edges = EdgeBlocks());

    int width() const { return m_width; }
    int height() const { return m_height; }
    int pixelBytes() const { return m_pixelBytes; }
    // Where in a pixel its alpha byte lies.
    int alphaOffset() const { return m_alphaOffset; }
    qsizetype bytesPerLine() const { return m_bytesPerLine; }
    const uchar *row(int y) const { return m_bits + qsizetype(y) * m_bytesPerLine; }
    bool inside(int x, int y) const { return row(y)[x * m_pixelBytes + m_alphaOffset] > 127; }
    const QRect &ink() const { return m_ink; }
    const EdgeBlocks &edges() const { return m_edges; }

private:
    QImage m_image; // keeps a converted copy alive
    const uchar *m_bits = nullptr;
    qsizetype m_bytesPerLine = 0;
    int m_width = 0;
    int m_height = 0;
    int m_pixelBytes = 4;
    int m_alphaOffset = 0;
    QRect m_ink;
    EdgeBlocks m_edges;
};

// The byte of a sample at distance d (1 .. 127) from the nearest pixel of the
// other kind; d < 0 when there is none within reach.
inline std::uint8_t encodeSample(bool inside, int d)
{
    if (d < 0)
        return inside ? 255 : 0;
    return std::uint8_t(inside ? 127 + d : 127 - d);
}

inline std::uint8_t *sampleAt(FieldTarget target, int n, int i, int j)
{
    return target.first + (qsizetype(i) * n + j) * target.step;
}

// computeDistanceField on a view, which may know where the ink is.
void computeDistanceField(const CoverageView &coverage, int n, FieldTarget target, int searchLevel);
// The brute-force search over the first count offsets of the table.
void searchDistanceField(const CoverageView &coverage, int n, FieldTarget target, int count);
// The exact separable transform at full reach.
void transformDistanceField(const CoverageView &coverage, int n, FieldTarget target);
// At most how many 16-bit lanes the transform's vectors may have (8, 16 or
// 32; it uses the widest the processor has, up to 32 by default), so that
// every path can be compared. Returns the previous limit.
int limitVectorLanes(int lanes);

} // namespace orbsdf
