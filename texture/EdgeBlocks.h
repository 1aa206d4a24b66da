#pragma once

#include <QtCore/QSize>
#include <QtGui/QPainterPath>
#include <QtGui/QTransform>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace orbsdf {

// Which blocks of BlockWidth x BlockHeight raster pixels an aliased fill of a
// path may leave mixed. Every edge the fill can have lies on a straight side
// or within the control points' hull of a curve, mapped to the raster; a
// block farther than Margin from all of them is wholly inside or wholly
// outside, so reading one of its pixels tells the kind of all.
class EdgeBlocks
{
public:
    static constexpr int BlockWidth = 64;
    static constexpr int BlockHeight = 16;
    static constexpr double Margin = 4; // pixel centres, fixed-point rounding, and more

    // No path: every block may be mixed.
    EdgeBlocks() = default;
    // The blocks of a raster of rasterSize that the fill of path, painted
    // with transform, may leave mixed.
    EdgeBlocks(const QPainterPath &path, const QTransform &transform, const QSize &rasterSize);

    // Whether the block holding pixel (x, y) may mix kinds.
    bool mayBeMixed(int x, int y) const
    {
        if (m_mixed.empty())
            return true;
        return m_mixed[std::size_t(y / BlockHeight) * m_columns + std::size_t(x / BlockWidth)];
    }

    // The rows of blocks that meet pixel rows [first, last], or an empty
    // range (first > last) when none does.
    std::pair<int, int> blockRows(int first, int last) const
    {
        if (last < 0 || first >= m_rows * BlockHeight || first > last)
            return {0, -1};
        return {std::max(first, 0) / BlockHeight, std::min(last / BlockHeight, m_rows - 1)};
    }

    // Whether any of the blocks columns x rows may mix kinds.
    bool anyMixedIn(std::pair<int, int> columns, std::pair<int, int> rows) const
    {
        if (m_mixed.empty())
            return true;
        if (columns.first > columns.second || rows.first > rows.second)
            return false;
        const auto at = [&](int x, int y) {
            return m_counts[std::size_t(y) * std::size_t(m_columns + 1) + std::size_t(x)];
        };
        return at(columns.second + 1, rows.second + 1) - at(columns.first, rows.second + 1)
            - at(columns.second + 1, rows.first) + at(columns.first, rows.first)
            > 0;
    }

private:
    void markSegment(const QPointF &a, const QPointF &b);
    void markCurve(const QPointF &a, const QPointF &c1, const QPointF &c2, const QPointF &b,
                   int depth);
    bool touchesRaster(double left, double top, double right, double bottom) const;
    void markBox(double left, double top, double right, double bottom);

    int m_columns = 0;
    int m_rows = 0;
    bool m_valid = true;
    std::vector<std::uint8_t> m_mixed; // per block, row by row; empty: all may be mixed
    // Mixed blocks above and left of each block corner: (m_rows + 1) x (m_columns + 1).
    std::vector<int> m_counts;
};

} // namespace orbsdf
