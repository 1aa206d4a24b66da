#pragma once

#include <QtQuick/private/qquickrectangle_p.h>

// The column view's header: QML draws it; it only tells the view while a
// column edge is being dragged and sets the application's mouse cursor (a
// resize arrow while an edge is dragged). Overrides it leaves in place are
// undone when it is destroyed. GUI thread only; the view that holds it
// deletes it.
class orbQuickColumnViewHeader : public QQuickRectangle
{
    Q_OBJECT
    Q_PROPERTY(bool resizingColumn READ resizingColumn WRITE setResizingColumn NOTIFY
                   resizingColumnChanged)

public:
    explicit orbQuickColumnViewHeader(QQuickItem *parent = nullptr);
    ~orbQuickColumnViewHeader() override;

    bool resizingColumn() const { return m_resizingColumn; }
    void setResizingColumn(bool resizing);

public slots:
    void overrideMouseCursor(Qt::CursorShape cursorShape);
    void restoreMouseCursor();

signals:
    void resizingColumnChanged();

private:
    bool m_resizingColumn = false;
    int m_cursorOverrides = 0;
};
