#pragma once

#include <QtCore/QObject>

// The mouse event handed to QML with ORBMouseArea.moved and the column view's
// row signals. It is made on the stack for one emission (GUI thread) and gone
// when the handler returns, so QML must not keep it.
class orbQuickMouseEvent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int x READ x CONSTANT)
    Q_PROPERTY(int y READ y CONSTANT)
    Q_PROPERTY(int delta READ delta CONSTANT)
    Q_PROPERTY(int button READ button CONSTANT)
    Q_PROPERTY(int buttons READ buttons CONSTANT)
    Q_PROPERTY(int modifiers READ modifiers CONSTANT)
    Q_PROPERTY(bool accepted READ isAccepted WRITE setAccepted)

public:
    // x and y in the coordinates of the item that emits; delta 0 where the
    // event has no step count.
    orbQuickMouseEvent(int x, int y, int button, int buttons, int modifiers, int delta = 0,
                       QObject *parent = nullptr);

    int x() const { return m_x; }
    int y() const { return m_y; }
    int delta() const { return m_delta; }
    int button() const { return m_button; }
    int buttons() const { return m_buttons; }
    int modifiers() const { return m_modifiers; }
    bool isAccepted() const { return m_accepted; }
    void setAccepted(bool accepted) { m_accepted = accepted; }

private:
    int m_x;
    int m_y;
    int m_button;
    int m_buttons;
    int m_modifiers;
    int m_delta;
    bool m_accepted = true;
};
