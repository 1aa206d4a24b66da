#include "XTestPointer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <set>

struct XTestPointer::Connection
{
    Display *display = nullptr;
    std::set<unsigned> heldButtons;
    std::set<unsigned long> heldKeys; // key symbols
};

XTestPointer::XTestPointer()
    : m_x(std::make_unique<Connection>())
{
    m_x->display = XOpenDisplay(nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    if (m_x->display && !XTestQueryExtension(m_x->display, &event, &error, &major, &minor)) {
        XCloseDisplay(m_x->display);
        m_x->display = nullptr;
    }
}

XTestPointer::~XTestPointer()
{
    if (!m_x->display)
        return;
    for (unsigned button : std::set<unsigned>(m_x->heldButtons))
        release(Button(button));
    for (unsigned long key : std::set<unsigned long>(m_x->heldKeys))
        holdKey(key, false);
    XCloseDisplay(m_x->display);
}

bool XTestPointer::isAvailable() const
{
    return m_x->display != nullptr;
}

void XTestPointer::moveTo(const QPoint &global)
{
    if (!m_x->display)
        return;
    XTestFakeMotionEvent(m_x->display, -1, global.x(), global.y(), CurrentTime);
    sync();
}

void XTestPointer::press(Button button)
{
    if (!m_x->display)
        return;
    m_x->heldButtons.insert(button);
    XTestFakeButtonEvent(m_x->display, button, True, CurrentTime);
    sync();
}

void XTestPointer::release(Button button)
{
    if (!m_x->display)
        return;
    m_x->heldButtons.erase(button);
    XTestFakeButtonEvent(m_x->display, button, False, CurrentTime);
    sync();
}

void XTestPointer::holdShift(bool down)
{
    holdKey(XK_Shift_L, down);
}

void XTestPointer::holdControl(bool down)
{
    holdKey(XK_Control_L, down);
}

void XTestPointer::holdKey(unsigned long keySymbol, bool down)
{
    if (!m_x->display)
        return;
    if (down)
        m_x->heldKeys.insert(keySymbol);
    else
        m_x->heldKeys.erase(keySymbol);
    XTestFakeKeyEvent(m_x->display, XKeysymToKeycode(m_x->display, keySymbol), down ? True : False,
                      CurrentTime);
    sync();
}

void XTestPointer::sync()
{
    XSync(m_x->display, False);
}
