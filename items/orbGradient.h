#pragma once

#include <QtCore/QObject>
#include <QtCore/QPointF>
#include <QtGui/QBrush>

// Gradient overrides of an ORBSvgNode: the geometry QML set replaces that of
// the element's own gradient; stops, spread and units stay the SVG's. Every
// setter notifies. Owned by its ORBSvgNode; applied on the render thread.
class orbGradient : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QPointF start READ start WRITE setStart NOTIFY gradientChanged)
    Q_PROPERTY(QPointF end READ end WRITE setEnd NOTIFY gradientChanged)
    Q_PROPERTY(QPointF center READ center WRITE setCenter NOTIFY gradientChanged)
    Q_PROPERTY(float radius READ radius WRITE setRadius NOTIFY gradientChanged)
    Q_PROPERTY(GradientType type READ type WRITE setType NOTIFY gradientChanged)

public:
    enum GradientType { Linear = 0, Radial = 1 };
    Q_ENUM(GradientType)

    explicit orbGradient(QObject *parent = nullptr);

    // brush with the overrides applied; other brushes come back unchanged.
    QBrush apply(const QBrush &brush) const;

signals:
    void gradientChanged();

public slots:
    GradientType type() const { return m_type; }
    void setType(GradientType newType);
    QPointF start() const { return m_start; }
    void setStart(const QPointF &newStart);
    QPointF end() const { return m_end; }
    void setEnd(const QPointF &newEnd);
    QPointF center() const { return m_center; }
    void setCenter(const QPointF &newCenter);
    float radius() const { return m_radius; }
    void setRadius(float newRadius);

private:
    QPointF m_start;
    QPointF m_end;
    QPointF m_center;
    float m_radius = 0;
    GradientType m_type = Linear;
    bool m_startSet = false;
    bool m_endSet = false;
    bool m_typeSet = false;
    bool m_centerSet = false;
    bool m_radiusSet = false;
};
