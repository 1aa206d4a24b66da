#include "EdgeBlocks.h"

#include <algorithm>
#include <cmath>

namespace orbsdf {

namespace {

constexpr double Piece = 16; // longest stretch of a side marked as one box
constexpr int MaxDepth = 24; // curve halvings before its hull is marked whole
constexpr double Far = 1e5;  // a path reaching this far is not worth marking: all may be mixed

bool usable(const QPointF &p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y()) && std::abs(p.x()) < Far
        && std::abs(p.y()) < Far;
}

QPointF midpoint(const QPointF &a, const QPointF &b)
{
    return (a + b) * 0.5;
}

} // namespace

EdgeBlocks::EdgeBlocks(const QPainterPath &path, const QTransform &transform,
                       const QSize &rasterSize)
    : m_columns((rasterSize.width() + BlockWidth - 1) / BlockWidth)
    , m_rows((rasterSize.height() + BlockHeight - 1) / BlockHeight)
{
    if (m_columns < 1 || m_rows < 1)
        return;
    m_mixed.assign(std::size_t(m_columns) * m_rows, 0);

    // A fill closes every subpath with a straight side back to its start.
    QPointF start;
    QPointF current;
    const auto close = [&] {
        if (current != start)
            markSegment(current, start);
    };
    for (int k = 0; k < path.elementCount() && m_valid; ++k) {
        const QPainterPath::Element e = path.elementAt(k);
        const QPointF p = transform.map(QPointF(e.x, e.y));
        switch (e.type) {
        case QPainterPath::MoveToElement:
            close();
            start = current = p;
            break;
        case QPainterPath::LineToElement:
            markSegment(current, p);
            current = p;
            break;
        case QPainterPath::CurveToElement: {
            if (k + 2 >= path.elementCount()) {
                m_valid = false;
                break;
            }
            const QPainterPath::Element e2 = path.elementAt(k + 1);
            const QPainterPath::Element e3 = path.elementAt(k + 2);
            const QPointF c2 = transform.map(QPointF(e2.x, e2.y));
            const QPointF end = transform.map(QPointF(e3.x, e3.y));
            markCurve(current, p, c2, end, 0);
            current = end;
            k += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            m_valid = false; // only ever follows a curve element
            break;
        }
        if (!usable(p))
            m_valid = false;
    }
    close();
    if (!m_valid) {
        m_mixed.clear();
        return;
    }
    const int stride = m_columns + 1;
    m_counts.assign(std::size_t(m_rows + 1) * stride, 0);
    for (int y = 0; y < m_rows; ++y) {
        for (int x = 0; x < m_columns; ++x) {
            m_counts[std::size_t(y + 1) * stride + x + 1] = m_mixed[std::size_t(y) * m_columns + x]
                + m_counts[std::size_t(y) * stride + x + 1]
                + m_counts[std::size_t(y + 1) * stride + x] - m_counts[std::size_t(y) * stride + x];
        }
    }
}

void EdgeBlocks::markSegment(const QPointF &a, const QPointF &b)
{
    if (!usable(a) || !usable(b)) {
        m_valid = false;
        return;
    }
    const QPointF delta = b - a;
    const int pieces
        = std::max(1, int(std::ceil(std::max(std::abs(delta.x()), std::abs(delta.y())) / Piece)));
    if (!touchesRaster(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()),
                       std::max(a.y(), b.y())))
        return;
    QPointF from = a;
    for (int k = 1; k <= pieces; ++k) {
        const QPointF to = k == pieces ? b : a + delta * (double(k) / pieces);
        markBox(std::min(from.x(), to.x()), std::min(from.y(), to.y()), std::max(from.x(), to.x()),
                std::max(from.y(), to.y()));
        from = to;
    }
}

void EdgeBlocks::markCurve(const QPointF &a, const QPointF &c1, const QPointF &c2, const QPointF &b,
                           int depth)
{
    if (!usable(a) || !usable(c1) || !usable(c2) || !usable(b)) {
        m_valid = false;
        return;
    }
    const double left = std::min({a.x(), c1.x(), c2.x(), b.x()});
    const double right = std::max({a.x(), c1.x(), c2.x(), b.x()});
    const double top = std::min({a.y(), c1.y(), c2.y(), b.y()});
    const double bottom = std::max({a.y(), c1.y(), c2.y(), b.y()});
    if (!touchesRaster(left, top, right, bottom))
        return;
    if ((right - left <= Piece && bottom - top <= Piece) || depth >= MaxDepth) {
        markBox(left, top, right, bottom);
        return;
    }
    // Halve it: each half lies in the hull of its own control points.
    const QPointF ab = midpoint(a, c1);
    const QPointF bc = midpoint(c1, c2);
    const QPointF cd = midpoint(c2, b);
    const QPointF abc = midpoint(ab, bc);
    const QPointF bcd = midpoint(bc, cd);
    const QPointF middle = midpoint(abc, bcd);
    markCurve(a, ab, abc, middle, depth + 1);
    markCurve(middle, bcd, cd, b, depth + 1);
}

bool EdgeBlocks::touchesRaster(double left, double top, double right, double bottom) const
{
    return right + Margin >= 0 && bottom + Margin >= 0 && left - Margin < m_columns * BlockWidth
        && top - Margin < m_rows * BlockHeight;
}

void EdgeBlocks::markBox(double left, double top, double right, double bottom)
{
    const int x0 = std::max(0, int(std::floor((left - Margin) / BlockWidth)));
    const int x1 = std::min(m_columns - 1, int(std::floor((right + Margin) / BlockWidth)));
    const int y0 = std::max(0, int(std::floor((top - Margin) / BlockHeight)));
    const int y1 = std::min(m_rows - 1, int(std::floor((bottom + Margin) / BlockHeight)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x)
            m_mixed[std::size_t(y) * m_columns + std::size_t(x)] = 1;
    }
}

} // namespace orbsdf
