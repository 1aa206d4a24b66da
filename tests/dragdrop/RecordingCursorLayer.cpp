#include "RecordingCursorLayer.h"

#include <QtGui/QGuiApplication>

namespace orbtest {

RecordingCursorLayer::RecordingCursorLayer(orbCursorLayer &next)
    : m_next(next)
{
}

std::unique_ptr<RecordingCursorLayer> RecordingCursorLayer::install()
{
    auto layer = std::make_unique<RecordingCursorLayer>(orbCursorLayer::current());
    orbCursorLayer::setCurrent(layer.get());
    return layer;
}

std::unique_ptr<RecordingCursorLayer>
RecordingCursorLayer::uninstall(std::unique_ptr<RecordingCursorLayer> layer, bool *leftOver)
{
    orbCursorLayer::setCurrent(nullptr);
    *leftOver = QGuiApplication::overrideCursor() != nullptr;
    while (QGuiApplication::overrideCursor()) // the next test starts clean
        QGuiApplication::restoreOverrideCursor();
    return layer;
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
