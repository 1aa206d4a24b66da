#pragma once

#include <QtCore/QPoint>
#include <QtQuick/private/qquickmousearea_p.h>

class orbQuickMouseEvent;
class QScreen;

// A MouseArea with an endless drag for knobs and sliders: while the left
// button is held the cursor can be hidden and parked in the middle of the
// screen, each movement away from there is reported by moved() as a signed
// step count along dragAxis, and the cursor is put back in the middle. On
// release it reappears where the press was. Everything else is MouseArea.
// GUI thread only.
class orbQuickMouseArea : public QQuickMouseArea
{
    Q_OBJECT
    Q_PROPERTY(int dragAxis READ dragAxis WRITE setDragAxis NOTIFY dragAxisChanged)
    Q_PROPERTY(HideCursor hideCursor READ hideCursor WRITE setHideCursor NOTIFY hideCursorChanged)

public:
    enum DragAxis { XAxis = 0, YAxis = 1, XYAxis = 2 };
    Q_ENUM(DragAxis)
    // Fixed underlying type: QML may write any int, which is then reported.
    enum HideCursor : int { None = 0, OnMoved = 1, OnPressed = 2 };
    Q_ENUM(HideCursor)

    explicit orbQuickMouseArea(QQuickItem *parent = nullptr);
    ~orbQuickMouseArea() override;

    int dragAxis() const { return m_dragAxis; }
    void setDragAxis(int axis);
    HideCursor hideCursor() const { return m_hideCursor; }
    void setHideCursor(HideCursor mode);

signals:
    void moved(orbQuickMouseEvent *mouse);
    void dragAxisChanged();
    void hideCursorChanged();

protected:
    // The step count of a movement (dx, dy) away from the parking point.
    virtual float axisDelta(float dx, float dy);
    virtual void setCursorPosition(QPoint global);
    // Each item hides the cursor at most once and shows it only after hiding it.
    virtual void showSystemCursor();
    virtual void hideSystemCursor();

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseUngrabEvent() override;

private:
    bool endlessDrag() const { return m_hideCursor == OnMoved || m_hideCursor == OnPressed; }
    bool takesButtons(Qt::MouseButtons buttons) const;
    QScreen *windowScreen() const;
    void parkCursor();
    void restoreCursor();

    int m_dragAxis = XAxis;
    HideCursor m_hideCursor = None;
    bool m_hidePending = false;
    bool m_cursorHidden = false;
    QPoint m_pressPosition; // global
    QPoint m_screenCentre;  // global, of the screen the press happened on
};
