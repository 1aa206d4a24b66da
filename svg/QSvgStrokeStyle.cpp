#include "QSvgStrokeStyle.h"

#include "QSvgFillStyleProperty.h"

#include <QtGui/QPainter>

namespace orbsvg {

namespace {
QVector<qreal> scaled(QVector<qreal> dashes, qreal factor)
{
    for (qreal &dash : dashes)
        dash *= factor;
    return dashes;
}

// A zero pen width counts as one when dash patterns are converted.
qreal effectiveWidth(qreal width)
{
    return width == 0 ? 1 : width;
}
} // namespace

QSvgStrokeStyle::QSvgStrokeStyle()
    : m_pen(Qt::NoBrush, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin)
{
    m_pen.setMiterLimit(4);
}

void QSvgStrokeStyle::setStroke(const QBrush &brush)
{
    m_pen.setBrush(brush);
    m_server = nullptr;
    m_strokeSet = true;
}

void QSvgStrokeStyle::setStyle(QSvgFillStyleProperty *server)
{
    m_server = server;
    m_strokeSet = true;
}

void QSvgStrokeStyle::setWidth(double width)
{
    m_pen.setWidthF(width);
    m_widthSet = true;
}

void QSvgStrokeStyle::setDashArray(const QVector<qreal> &dashes)
{
    const qreal width = m_pen.widthF();
    if (m_widthSet && width != 0 && width != 1)
        m_pen.setDashPattern(scaled(dashes, 1 / width));
    else
        m_pen.setDashPattern(dashes);
    m_dashArraySet = true;
}

void QSvgStrokeStyle::setDashArrayNone()
{
    m_pen.setStyle(Qt::SolidLine);
    m_dashArraySet = true;
}

void QSvgStrokeStyle::setDashOffset(double offset)
{
    m_dashOffset = offset;
    m_dashOffsetSet = true;
}

void QSvgStrokeStyle::setLineCap(Qt::PenCapStyle cap)
{
    m_pen.setCapStyle(cap);
    m_lineCapSet = true;
}

void QSvgStrokeStyle::setLineJoin(Qt::PenJoinStyle join)
{
    m_pen.setJoinStyle(join);
    m_lineJoinSet = true;
}

void QSvgStrokeStyle::setMiterLimit(double limit)
{
    m_pen.setMiterLimit(limit);
    m_miterLimitSet = true;
}

void QSvgStrokeStyle::setOpacity(double opacity)
{
    m_strokeOpacity = opacity;
    m_opacitySet = true;
}

void QSvgStrokeStyle::setVectorEffect(bool nonScaling)
{
    m_vectorEffect = nonScaling;
    m_vectorEffectSet = true;
}

void QSvgStrokeStyle::apply(QPainter *p, const QSvgNode *, QSvgDrawState &state)
{
    m_oldPen = p->pen();
    m_oldStrokeOpacity = state.strokeOpacity;
    m_oldDashOffset = state.strokeDashOffset;
    m_oldVectorEffect = state.vectorEffect;

    QPen pen = p->pen();
    const qreal oldWidth = effectiveWidth(pen.widthF());
    const qreal newWidth = effectiveWidth(m_pen.widthF());
    const qreal scale = oldWidth / newWidth;

    if (m_opacitySet)
        state.strokeOpacity = m_strokeOpacity;
    if (m_vectorEffectSet)
        state.vectorEffect = m_vectorEffect;
    if (m_strokeSet)
        pen.setBrush(m_server ? m_server->brush(p, state) : m_pen.brush());
    if (m_widthSet)
        pen.setWidthF(m_pen.widthF());

    bool needOffset = false;
    if (m_dashOffsetSet) {
        state.strokeDashOffset = m_dashOffset;
        needOffset = true;
    }

    if (m_dashArraySet) {
        if (m_pen.style() == Qt::SolidLine) {
            pen.setStyle(Qt::SolidLine); // the array was "none"
        } else if (m_widthSet || oldWidth == 1) {
            pen.setDashPattern(m_pen.dashPattern());
            needOffset = true;
        } else {
            // Our pattern is in user units; the inherited width is the unit.
            pen.setDashPattern(scaled(m_pen.dashPattern(), 1 / oldWidth));
            needOffset = true;
        }
    } else if (m_widthSet && pen.style() != Qt::SolidLine && scale != 1) {
        // An inherited pattern keeps its user-unit lengths under the new width.
        pen.setDashPattern(scaled(pen.dashPattern(), scale));
        needOffset = true;
    }

    if (m_lineCapSet)
        pen.setCapStyle(m_pen.capStyle());
    if (m_lineJoinSet)
        pen.setJoinStyle(m_pen.joinStyle());
    if (m_miterLimitSet)
        pen.setMiterLimit(m_pen.miterLimit());

    // An offset on a solid stroke would turn the pen dashed: leave it out.
    if (needOffset && pen.style() != Qt::SolidLine)
        pen.setDashOffset(state.strokeDashOffset / effectiveWidth(pen.widthF()));

    pen.setCosmetic(state.vectorEffect);
    p->setPen(pen);
}

void QSvgStrokeStyle::revert(QPainter *p, QSvgDrawState &state)
{
    p->setPen(m_oldPen);
    state.strokeOpacity = m_oldStrokeOpacity;
    state.strokeDashOffset = m_oldDashOffset;
    state.vectorEffect = m_oldVectorEffect;
}

} // namespace orbsvg
