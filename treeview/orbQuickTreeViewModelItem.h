#pragma once

#include <QtCore/QAbstractItemModel>
#include <QtCore/QPersistentModelIndex>
#include <QtCore/QPointer>
#include <QtQml/QQmlComponent>
#include <QtQuick/QQuickItem>

// Declares one model shown by a tree view: the model, the index whose subtree
// forms the branch (invalid: the whole model), the delegate of its rows and
// whether the root row is hidden. Draws nothing. Neither the model nor the
// delegate is owned; a destroyed model reads as null. GUI thread only.
class orbQuickTreeViewModelItem : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QAbstractItemModel *model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(QModelIndex root READ root WRITE setRoot NOTIFY rootChanged)
    Q_PROPERTY(QQmlComponent *delegate READ delegate WRITE setDelegate NOTIFY delegateChanged)
    Q_PROPERTY(bool hideRoot READ hideRoot WRITE setHideRoot NOTIFY hideRootChanged)
    Q_PROPERTY(bool propagateChanges READ propagateChanges WRITE setPropagateChanges NOTIFY
                   propagateChangesChanged)

public:
    explicit orbQuickTreeViewModelItem(QQuickItem *parent = nullptr,
                                       QAbstractItemModel *model = nullptr,
                                       QQmlComponent *delegate = nullptr);

    QAbstractItemModel *model() const { return m_model; }
    void setModel(QAbstractItemModel *model);
    QModelIndex root() const { return m_root; }
    void setRoot(const QModelIndex &root);
    QQmlComponent *delegate() const { return m_delegate; }
    void setDelegate(QQmlComponent *delegate);
    bool hideRoot() const { return m_hideRoot; }
    void setHideRoot(bool hideRoot);
    bool propagateChanges() const { return m_propagateChanges; }
    void setPropagateChanges(bool propagate);

signals:
    void modelChanged();
    void rootChanged();
    void delegateChanged();
    void hideRootChanged();
    void propagateChangesChanged();

private:
    QPointer<QAbstractItemModel> m_model;
    QPersistentModelIndex m_root;
    QPointer<QQmlComponent> m_delegate;
    bool m_hideRoot = false;
    bool m_propagateChanges = true;
};
