#pragma once

#include <QtCore/QPoint>
#include <QtCore/QTimer>
#include <QtCore/QVariant>
#include <QtQuick/QQuickItem>

class orbQuickDragHandler;
class QQuickMouseEvent;

// The area a drag starts from: a press held for startDragDelay, or moved the
// platform's start-drag distance before that, starts the drag handler; a press
// released inside without a drag is a click. Child items (buttons, mouse
// areas) keep their own presses and clicks. GUI thread.
class orbQuickDragZone : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(orbQuickDragHandler *dragHandler READ dragHandler WRITE setDragHandler NOTIFY
                   dragHandlerChanged)
    Q_PROPERTY(QString mimeType READ mimeType WRITE setMimeType NOTIFY mimeTypeChanged)
    Q_PROPERTY(QVariant mimeData READ mimeData WRITE setMimeData NOTIFY mimeDataChanged)
    Q_PROPERTY(
        int startDragDelay READ startDragDelay WRITE setStartDragDelay NOTIFY startDragDelayChanged)
    Q_PROPERTY(Qt::MouseButtons acceptedMouseButtons READ acceptedMouseButtons WRITE
                   setAcceptedMouseButtons NOTIFY acceptedMouseButtonsChanged)

public:
    explicit orbQuickDragZone(QQuickItem *parent = nullptr);
    ~orbQuickDragZone() override;

    orbQuickDragHandler *dragHandler() const { return m_dragHandler; }
    void setDragHandler(orbQuickDragHandler *handler);
    QString mimeType() const { return m_mimeType; }
    void setMimeType(const QString &mimeType);
    QVariant mimeData() const { return m_mimeData; }
    void setMimeData(const QVariant &mimeData);
    int startDragDelay() const { return m_startDragDelay; }
    void setStartDragDelay(int delay);

signals:
    void dragHandlerChanged();
    void mimeTypeChanged();
    void mimeDataChanged();
    void startDragDelayChanged();
    void acceptedMouseButtonsChanged();
    void clicked(QQuickMouseEvent *mouse);

private slots:
    void startDrag();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hoverEnterEvent(QHoverEvent *event) override;
    void hoverLeaveEvent(QHoverEvent *event) override;
    bool childMouseEventFilter(QQuickItem *item, QEvent *event) override;

private:
    void passEntryToHandler();
    bool movedDragDistance(const QPoint &position) const;
    void endPress();
    void emitClicked(const QMouseEvent &event);

    orbQuickDragHandler *m_dragHandler = nullptr; // owned
    QString m_mimeType;
    QVariant m_mimeData;
    int m_startDragDelay = 300;
    QTimer m_timer;
    QPoint m_pressPosition;
    bool m_dragStarted = false;
    bool m_cursorPushed = false;
};
