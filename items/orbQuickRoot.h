#pragma once

#include <QtCore/QList>
#include <QtCore/QObject>

class QQuickItem;
class orbQuickDialog;

// One per QML engine, published as the context property "orbQuickRoot".
// Opens and owns free-floating dialogs for QML content. GUI thread only;
// created by the plugin with the engine as parent.
class orbQuickRoot : public QObject
{
    Q_OBJECT

public:
    explicit orbQuickRoot(QObject *parent = nullptr);
    ~orbQuickRoot() override;

    const QList<orbQuickDialog *> &dialogs() const { return m_dialogs; }

public slots:
    void openDialog(QQuickItem *content, Qt::WindowModality modality);
    void openDialog(QQuickItem *content);
    void closeDialogs();

protected slots:
    virtual void deleteDialog(orbQuickDialog *dialog);

private:
    QList<orbQuickDialog *> m_dialogs;
};
