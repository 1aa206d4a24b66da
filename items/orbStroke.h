#pragma once

#include <QtCore/QObject>
#include <QtCore/QVector>
#include <QtGui/QPen>

// Stroke overrides of an ORBSvgNode: the values QML set replace those of the
// element's own pen; the others stay the SVG's. Every setter notifies.
// Owned by its ORBSvgNode (GUI thread); merged on the render thread.
class orbStroke : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY strokeChanged)
    Q_PROPERTY(Qt::PenCapStyle capStyle READ capStyle WRITE setCapStyle NOTIFY strokeChanged)
    Q_PROPERTY(Qt::PenJoinStyle joinStyle READ joinStyle WRITE setJoinStyle NOTIFY strokeChanged)
    Q_PROPERTY(double miterLimit READ miterLimit WRITE setMiterLimit NOTIFY strokeChanged)
    Q_PROPERTY(double dashOffset READ dashOffset WRITE setDashOffset NOTIFY strokeChanged)
    Q_PROPERTY(
        QVector<qreal> dashPattern READ dashPattern WRITE setDashPattern NOTIFY strokeChanged)

public:
    explicit orbStroke(QObject *parent = nullptr);

    // Takes pen as it is and puts back every value QML set; whether any was.
    bool merge(const QPen &pen);
    const QPen &pen() const { return m_pen; }

signals:
    void strokeChanged();

public slots:
    double width() const { return m_pen.widthF(); }
    void setWidth(double width);
    Qt::PenCapStyle capStyle() const { return m_pen.capStyle(); }
    void setCapStyle(Qt::PenCapStyle style);
    Qt::PenJoinStyle joinStyle() const { return m_pen.joinStyle(); }
    void setJoinStyle(Qt::PenJoinStyle style);
    double miterLimit() const { return m_pen.miterLimit(); }
    void setMiterLimit(double limit);
    double dashOffset() const { return m_pen.dashOffset(); }
    void setDashOffset(double offset);
    QVector<qreal> dashPattern() const { return m_pen.dashPattern(); }
    void setDashPattern(const QVector<qreal> &pattern);

private:
    QPen m_pen;
    bool m_widthSet = false;
    bool m_capStyleSet = false;
    bool m_joinStyleSet = false;
    bool m_miterLimitSet = false;
    bool m_dashOffsetSet = false;
    bool m_dashPatternSet = false;
};
