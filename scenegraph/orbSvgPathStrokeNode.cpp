#include "orbSvgPathStrokeNode.h"

#include <QtGui/QPainterPathStroker>

orbSvgPathStrokeNode::orbSvgPathStrokeNode(orbSvgCache *cache)
    : orbSvgPathNode(cache)
{
}

bool orbSvgPathStrokeNode::isSubtreeBlocked() const
{
    return m_pen.style() == Qt::NoPen || m_pen.brush().style() == Qt::NoBrush;
}

void orbSvgPathStrokeNode::setPen(const QPen &pen)
{
    if (pen != m_pen)
        m_pendingPen = pen;
}

void orbSvgPathStrokeNode::setPath(const QPainterPath &path)
{
    m_sourcePath = path;
    // The stroker draws a zero width as 1; dividing by zero instead would
    // give it a dash pattern it never finishes.
    const qreal width = m_pen.widthF() > 0 ? m_pen.widthF() : 1.0;
    QPainterPathStroker stroker;
    stroker.setCurveThreshold(0.1);
    stroker.setWidth(m_pen.widthF());
    stroker.setCapStyle(m_pen.capStyle());
    stroker.setJoinStyle(m_pen.joinStyle());
    if (m_pen.style() != Qt::SolidLine) {
        // The stroker measures dashes in pen widths, the pen here in user units.
        QVector<qreal> pattern = m_pen.dashPattern();
        if (width != 1.0) {
            for (qreal &length : pattern)
                length *= 1.0 / width;
        }
        stroker.setDashPattern(pattern);
    }
    stroker.setDashOffset(m_pen.dashOffset() / width);
    stroker.setMiterLimit(m_pen.miterLimit());
    orbSvgPathNode::setPath(stroker.createStroke(path));
}

void orbSvgPathStrokeNode::update()
{
    if (m_pendingPen != m_pen) {
        m_pen = m_pendingPen;
        setBrush(m_pen.brush());
        setPath(m_sourcePath);
    }
    orbSvgPathNode::update();
}
