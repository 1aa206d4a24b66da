#include "RecordingCursorLayer.h"

namespace orbtest {

RecordingCursorLayer::RecordingCursorLayer(orbCursorLayer &next)
    : m_next(next)
{
}

void RecordingCursorLayer::hide()
{
    ++hides;
    m_next.hide();
}

void RecordingCursorLayer::show()
{
    ++shows;
    m_next.show();
}

void RecordingCursorLayer::pushShape(Qt::CursorShape shape)
{
    pushes << shape;
    m_next.pushShape(shape);
}

void RecordingCursorLayer::popShape()
{
    ++pops;
    m_next.popShape();
}

void RecordingCursorLayer::moveTo(const QPoint &global, QScreen *screen)
{
    moves << global;
    moveScreens << screen;
    m_next.moveTo(global, screen);
}

QPoint RecordingCursorLayer::position() const
{
    return m_next.position();
}

} // namespace orbtest
