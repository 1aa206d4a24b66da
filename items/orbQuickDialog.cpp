#include "orbQuickDialog.h"

#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>

orbQuickDialog::orbQuickDialog(QQuickItem *content, Qt::WindowModality modality)
    : QQuickWindow()
    , m_content(content)
{
    // Free-floating: transient for the content's window, not embedded in it.
    QQuickWindow *owner = content->window();
    setColor(Qt::transparent);
    setModality(modality);
    setTransientParent(owner);
    resize(int(content->width()), int(content->height()));

    // The dialog owns its content from now on: keep QML's collector off it.
    QQmlEngine::setObjectOwnership(content, QQmlEngine::CppOwnership);
    content->setParentItem(contentItem());

    // Content without a close() signal cannot close its dialog; closeDialogs() still does.
    if (content->metaObject()->indexOfSignal("close()") >= 0)
        connect(content, SIGNAL(close()), this, SLOT(close()));
    connect(content, &QObject::destroyed, this, &orbQuickDialog::contentDestroyed);
}

orbQuickDialog::~orbQuickDialog()
{
    if (!m_contentGone)
        delete m_content;
}

bool orbQuickDialog::close()
{
    const bool closed = QQuickWindow::close();
    emit deleteRequest(this);
    return closed;
}

void orbQuickDialog::contentDestroyed()
{
    m_contentGone = true;
    disconnect(m_content, &QObject::destroyed, this, &orbQuickDialog::contentDestroyed);
}
