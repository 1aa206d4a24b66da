#pragma once

#include <QtCore/QPoint>
#include <QtCore/Qt>

class QScreen;

// The system cursor as the interaction items use it: hidden and shown in
// matched pairs, shapes pushed and popped while hovering, moved and read in
// global coordinates. The system layer works through the application's
// override-cursor stack and QCursor; tests put a recording layer in its place.
class orbCursorLayer
{
public:
    virtual ~orbCursorLayer();

    // One hide is undone by one show; hides of several items nest.
    virtual void hide() = 0;
    virtual void show() = 0;
    // A cursor shape for as long as it is pushed (a zone's hover cursor).
    virtual void pushShape(Qt::CursorShape shape) = 0;
    virtual void popShape() = 0;
    // Moves the cursor to a global position on screen (null: the primary screen).
    virtual void moveTo(const QPoint &global, QScreen *screen) = 0;
    virtual QPoint position() const = 0;

    // The layer in use: the system's unless a test has set its own.
    static orbCursorLayer &current();
    // Puts layer in use (not owned) for the whole process, plugins included;
    // null returns to the system layer. Needs the application object.
    static void setCurrent(orbCursorLayer *layer);
};
