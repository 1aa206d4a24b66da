#include "RecordingCursorLayer.h"

#include <QtCore/QStringList>
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

QString RecordingCursorLayer::uninstall(std::unique_ptr<RecordingCursorLayer> layer)
{
    orbCursorLayer::setCurrent(nullptr);
    QStringList imbalance;
    if (layer->pops != layer->pushes.size())
        imbalance << QStringLiteral("%1 shapes pushed, %2 popped")
                         .arg(layer->pushes.size())
                         .arg(layer->pops);
    if (layer->hides != layer->shows)
        imbalance
            << QStringLiteral("hidden %1 times, shown %2").arg(layer->hides).arg(layer->shows);
    if (QGuiApplication::overrideCursor())
        imbalance << QStringLiteral("an override cursor left behind");
    while (QGuiApplication::overrideCursor()) // the next test starts clean
        QGuiApplication::restoreOverrideCursor();
    return imbalance.join(QStringLiteral("; "));
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
