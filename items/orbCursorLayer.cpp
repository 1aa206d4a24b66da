#include "orbCursorLayer.h"

#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

namespace {

class SystemCursorLayer final : public orbCursorLayer
{
public:
    void hide() override { QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor)); }
    void show() override { QGuiApplication::restoreOverrideCursor(); }
    void pushShape(Qt::CursorShape shape) override
    {
        QGuiApplication::setOverrideCursor(QCursor(shape));
    }
    void popShape() override { QGuiApplication::restoreOverrideCursor(); }
    void moveTo(const QPoint &global, QScreen *screen) override
    {
        if (screen)
            QCursor::setPos(screen, global);
        else
            QCursor::setPos(global);
    }
    QPoint position() const override { return QCursor::pos(); }
};

orbCursorLayer *s_current = nullptr;

} // namespace

orbCursorLayer::~orbCursorLayer() = default;

orbCursorLayer &orbCursorLayer::current()
{
    static SystemCursorLayer system;
    return s_current ? *s_current : system;
}

void orbCursorLayer::setCurrent(orbCursorLayer *layer)
{
    s_current = layer;
}
