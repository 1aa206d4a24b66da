#include "orbQuickMouseEvent.h"

orbQuickMouseEvent::orbQuickMouseEvent(int x, int y, int button, int buttons, int modifiers,
                                       int delta, QObject *parent)
    : QObject(parent)
    , m_x(x)
    , m_y(y)
    , m_button(button)
    , m_buttons(buttons)
    , m_modifiers(modifiers)
    , m_delta(delta)
{
}
