#pragma once

#include <QtQuick/QQuickWindow>

#include <QtCore/QPointer>

class QQuickItem;

// A free-floating window around one QML item. Owns its content unless the
// content is destroyed elsewhere first. GUI thread only; deleted by orbQuickRoot.
class orbQuickDialog : public QQuickWindow
{
    Q_OBJECT

public:
    orbQuickDialog(QQuickItem *content, Qt::WindowModality modality);
    ~orbQuickDialog() override;

    QQuickItem *content() const { return m_content; }

signals:
    // Asks the owner to delete this dialog (received queued).
    void deleteRequest(orbQuickDialog *dialog);

public slots:
    // Closes the window and asks the owner to delete it.
    virtual bool close();

protected slots:
    void contentDestroyed();

private:
    QQuickItem *m_content;
    bool m_contentGone = false;
};
