#include "orbQuickColumnViewHeader.h"

#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>

orbQuickColumnViewHeader::orbQuickColumnViewHeader(QQuickItem *parent)
    : QQuickRectangle(parent)
{
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
    QGuiApplication::setOverrideCursor(QCursor(cursorShape));
}

void orbQuickColumnViewHeader::restoreMouseCursor()
{
    QGuiApplication::restoreOverrideCursor();
}
