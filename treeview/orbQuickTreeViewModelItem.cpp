#include "orbQuickTreeViewModelItem.h"

orbQuickTreeViewModelItem::orbQuickTreeViewModelItem(QQuickItem *parent, QAbstractItemModel *model,
                                                     QQmlComponent *delegate)
    : QQuickItem(parent)
    , m_model(model)
    , m_delegate(delegate)
{
}

void orbQuickTreeViewModelItem::setModel(QAbstractItemModel *model)
{
    if (m_model == model)
        return;
    m_model = model;
    m_root = QPersistentModelIndex(); // an index of the old model means nothing in the new one
    emit modelChanged();
}

void orbQuickTreeViewModelItem::setRoot(const QModelIndex &root)
{
    if (m_root == root)
        return;
    m_root = root;
    if (m_propagateChanges)
        emit rootChanged();
}

void orbQuickTreeViewModelItem::setDelegate(QQmlComponent *delegate)
{
    if (m_delegate == delegate)
        return;
    m_delegate = delegate;
    emit delegateChanged();
}

void orbQuickTreeViewModelItem::setHideRoot(bool hideRoot)
{
    if (m_hideRoot == hideRoot)
        return;
    m_hideRoot = hideRoot;
    emit hideRootChanged();
}

void orbQuickTreeViewModelItem::setPropagateChanges(bool propagate)
{
    if (m_propagateChanges == propagate)
        return;
    m_propagateChanges = propagate;
    emit propagateChangesChanged();
}
