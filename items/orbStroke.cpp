#include "orbStroke.h"

orbStroke::orbStroke(QObject *parent)
    : QObject(parent)
{
}

void orbStroke::setWidth(double width)
{
    m_pen.setWidthF(width);
    m_widthSet = true;
    emit strokeChanged();
}

void orbStroke::setCapStyle(Qt::PenCapStyle style)
{
    m_pen.setCapStyle(style);
    m_capStyleSet = true;
    emit strokeChanged();
}

void orbStroke::setJoinStyle(Qt::PenJoinStyle style)
{
    m_pen.setJoinStyle(style);
    m_joinStyleSet = true;
    emit strokeChanged();
}

void orbStroke::setMiterLimit(double limit)
{
    m_pen.setMiterLimit(limit);
    m_miterLimitSet = true;
    emit strokeChanged();
}

void orbStroke::setDashOffset(double offset)
{
    m_pen.setDashOffset(offset);
    m_dashOffsetSet = true;
    emit strokeChanged();
}

void orbStroke::setDashPattern(const QVector<qreal> &pattern)
{
    m_pen.setDashPattern(pattern);
    m_dashPatternSet = true;
    emit strokeChanged();
}

bool orbStroke::merge(const QPen &pen)
{
    const qreal width = m_pen.widthF();
    const Qt::PenCapStyle cap = m_pen.capStyle();
    const Qt::PenJoinStyle join = m_pen.joinStyle();
    const qreal miterLimit = m_pen.miterLimit();
    const qreal dashOffset = m_pen.dashOffset();
    const QVector<qreal> dashPattern = m_pen.dashPattern();

    m_pen = pen;
    bool changed = false;
    if (m_widthSet) {
        m_pen.setWidthF(width);
        changed = true;
    }
    if (m_capStyleSet) {
        m_pen.setCapStyle(cap);
        changed = true;
    }
    if (m_joinStyleSet) {
        m_pen.setJoinStyle(join);
        changed = true;
    }
    if (m_miterLimitSet) {
        m_pen.setMiterLimit(miterLimit);
        changed = true;
    }
    if (m_dashOffsetSet) {
        m_pen.setDashOffset(dashOffset);
        changed = true;
    }
    if (m_dashPatternSet) {
        m_pen.setDashPattern(dashPattern);
        changed = true;
    }
    return changed;
}
