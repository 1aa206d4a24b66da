#pragma once

#include "orbCursorLayer.h"

#include <QtCore/QPoint>
#include <QtCore/QString>
#include <QtCore/QVector>

#include <memory>

namespace orbtest {

// Records what the items ask of the cursor and passes everything on to the
// layer it was made in front of (the system's), so the real cursor still moves.
class RecordingCursorLayer final : public orbCursorLayer
{
public:
    explicit RecordingCursorLayer(orbCursorLayer &next);

    // Puts a recording layer in front of the current one, for one test.
    static std::unique_ptr<RecordingCursorLayer> install();
    // Takes it out again, clears any override cursor the test left behind,
    // and says what the test left unbalanced: shapes pushed and not popped,
    // a cursor hidden and not shown, an override cursor. Empty when nothing.
    static QString uninstall(std::unique_ptr<RecordingCursorLayer> layer);

    void hide() override;
    void show() override;
    void pushShape(Qt::CursorShape shape) override;
    void popShape() override;
    void moveTo(const QPoint &global, QScreen *screen) override;
    QPoint position() const override;

    QVector<Qt::CursorShape> pushes;
    int pops = 0;
    int hides = 0;
    int shows = 0;
    QVector<QPoint> moves;
    QVector<QScreen *> moveScreens;

private:
    orbCursorLayer &m_next;
};

} // namespace orbtest
