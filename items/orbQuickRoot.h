#pragma once

#include "ref_ptr.h"

#include <QtCore/QList>
#include <QtCore/QObject>

class QQuickItem;
class orbQuickDialog;
class orbSvgCache;

// One per QML engine, published as the context property "orbQuickRoot".
// Owns the engine's SVG texture cache and opens free-floating dialogs for QML
// content. GUI thread only; created by the plugin with the engine as parent.
class orbQuickRoot : public QObject
{
    Q_OBJECT

public:
    explicit orbQuickRoot(QObject *parent = nullptr);
    ~orbQuickRoot() override;

    const QList<orbQuickDialog *> &dialogs() const { return m_dialogs; }
    // The engine's SVG texture cache, created on first use.
    orbSvgCache *svgCache();

public slots:
    void openDialog(QQuickItem *content, Qt::WindowModality modality);
    void openDialog(QQuickItem *content);
    void closeDialogs();

protected slots:
    virtual void deleteDialog(orbQuickDialog *dialog);

private:
    orb::ref_ptr<orbSvgCache> m_svgCache;
    QList<orbQuickDialog *> m_dialogs;
};
