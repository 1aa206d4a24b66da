#pragma once

#include <QtCore/QPoint>

#include <memory>

// The X pointer and keyboard driven through the XTest extension, so a test
// gets the events a user produces and the server's pointer really moves.
// X11 headers stay in the source file. Whatever is still held is let go when
// it is destroyed.
class XTestPointer
{
public:
    enum Button { Left = 1, Middle = 2, Right = 3 };

    XTestPointer();
    ~XTestPointer();

    // Whether the display and its XTest extension could be opened.
    bool isAvailable() const;

    // Each call returns once the server has applied it.
    void moveTo(const QPoint &global);
    void press(Button button);
    void release(Button button);
    void holdShift(bool down);
    void holdControl(bool down);

private:
    void holdKey(unsigned long keySymbol, bool down);
    void sync();

    struct Connection;
    std::unique_ptr<Connection> m_x;
};
