#include "orbGradient.h"

orbGradient::orbGradient(QObject *parent)
    : QObject(parent)
{
}

void orbGradient::setType(GradientType newType)
{
    m_type = newType;
    m_typeSet = true;
    emit gradientChanged();
}

void orbGradient::setStart(const QPointF &newStart)
{
    m_start = newStart;
    m_startSet = true;
    emit gradientChanged();
}

void orbGradient::setEnd(const QPointF &newEnd)
{
    m_end = newEnd;
    m_endSet = true;
    emit gradientChanged();
}

void orbGradient::setCenter(const QPointF &newCenter)
{
    m_center = newCenter;
    m_centerSet = true;
    emit gradientChanged();
}

void orbGradient::setRadius(float newRadius)
{
    m_radius = newRadius;
    m_radiusSet = true;
    emit gradientChanged();
}

QBrush orbGradient::apply(const QBrush &brush) const
{
    const bool linear = brush.style() == Qt::LinearGradientPattern;
    if (!linear && brush.style() != Qt::RadialGradientPattern)
        return brush;

    QBrush result = brush;
    // The brush keeps its kind of gradient whatever style is asked for, so
    // the type never turns one kind into the other.
    if (m_typeSet)
        result.setStyle(m_type == Linear ? Qt::LinearGradientPattern : Qt::RadialGradientPattern);
    if (linear && (m_startSet || m_endSet)) {
        QLinearGradient gradient = *static_cast<const QLinearGradient *>(result.gradient());
        if (m_startSet)
            gradient.setStart(m_start);
        if (m_endSet)
            gradient.setFinalStop(m_end);
        const QTransform transform = result.transform();
        result = QBrush(gradient);
        result.setTransform(transform);
    }
    if (!linear && (m_centerSet || m_radiusSet)) {
        QRadialGradient gradient = *static_cast<const QRadialGradient *>(result.gradient());
        if (m_centerSet) {
            gradient.setCenter(m_center);
            gradient.setFocalPoint(m_center);
        }
        if (m_radiusSet)
            gradient.setRadius(m_radius);
        const QTransform transform = result.transform();
        result = QBrush(gradient);
        result.setTransform(transform);
    }
    return result;
}
