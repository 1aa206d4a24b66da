#include "orbQuickColumnViewHeader.h"

#include "orbCursorLayer.h"

orbQuickColumnViewHeader::orbQuickColumnViewHeader(QQuickItem *parent)
    : QQuickRectangle(parent)
{
}

orbQuickColumnViewHeader::~orbQuickColumnViewHeader()
{
    while (m_cursorOverrides > 0)
        restoreMouseCursor();
}

void orbQuickColumnViewHeader::setResizingColumn(bool resizing)
{
    if (m_resizingColumn == resizing)
        return;
    m_resizingColumn = resizing;
    emit resizingColumnChanged();
}

void orbQuickColumnViewHeader::overrideMouseCursor(Qt::CursorShape cursorShape)
{
    orbCursorLayer::current().pushShape(cursorShape);
    ++m_cursorOverrides;
}

void orbQuickColumnViewHeader::restoreMouseCursor()
{
    // Only what this header pushed: another item's cursor stays.
    if (m_cursorOverrides == 0)
        return;
    --m_cursorOverrides;
    orbCursorLayer::current().popShape();
}
