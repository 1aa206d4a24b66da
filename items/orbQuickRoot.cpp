#include "orbQuickRoot.h"

#include "ItemsLog.h"
#include "orbQuickDialog.h"
#include "orbSvgCache.h"

#include <QtCore/QStandardPaths>
#include <QtQuick/QQuickItem>

orbQuickRoot::orbQuickRoot(QObject *parent)
    : QObject(parent)
{
}

orbQuickRoot::~orbQuickRoot()
{
    if (m_svgCache)
        m_svgCache->save();
    closeDialogs();
    m_svgCache.reset();
}

orbSvgCache *orbQuickRoot::svgCache()
{
    if (!m_svgCache) {
        m_svgCache = orb::ref_ptr<orbSvgCache>(new orbSvgCache);
        m_svgCache->setCacheFolder(
            QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)));
    }
    return m_svgCache.get();
}

void orbQuickRoot::openDialog(QQuickItem *content, Qt::WindowModality modality)
{
    if (!content) {
        qCWarning(lcItems, "orbQuickRoot::openDialog: no content item given");
        return;
    }
    auto *dialog = new orbQuickDialog(content, modality);
    m_dialogs.append(dialog);
    connect(dialog, &orbQuickDialog::deleteRequest, this, &orbQuickRoot::deleteDialog,
            Qt::QueuedConnection);
    dialog->show();
}

void orbQuickRoot::openDialog(QQuickItem *content)
{
    openDialog(content, Qt::NonModal);
}

void orbQuickRoot::closeDialogs()
{
    qDeleteAll(m_dialogs);
    m_dialogs.clear();
}

void orbQuickRoot::deleteDialog(orbQuickDialog *dialog)
{
    if (m_dialogs.removeOne(dialog))
        delete dialog;
}
