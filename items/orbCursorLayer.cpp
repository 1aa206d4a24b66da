#include "orbCursorLayer.h"

#include <QtCore/QVariant>
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

// A layer set in place of the system's is published on the application
// object: a test and the plugin it loads each carry their own copy of this
// code, and both must find the same layer.
const char *const CurrentLayerProperty = "orbCursorLayer";

} // namespace

orbCursorLayer::~orbCursorLayer() = default;

orbCursorLayer &orbCursorLayer::current()
{
    static SystemCursorLayer system;
    if (const QCoreApplication *app = QCoreApplication::instance()) {
        const auto layer = app->property(CurrentLayerProperty).value<quintptr>();
        if (layer)
            return *reinterpret_cast<orbCursorLayer *>(layer);
    }
    return system;
}

void orbCursorLayer::setCurrent(orbCursorLayer *layer)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->setProperty(CurrentLayerProperty, QVariant::fromValue(quintptr(layer)));
}
