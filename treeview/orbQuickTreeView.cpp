#include "orbQuickTreeView.h"

#include "TreeViewLog.h"
#include "orbQuickComponent.h"

#include <QtCore/QDebug>
#include <QtCore/QtMath>
#include <QtQml/QQmlEngine>

#include <algorithm>
#include <climits>

orbQuickTreeView::orbQuickTreeView(QQuickItem *parent)
    : QQuickFlickable(parent)
{
    setFiltersChildMouseEvents(true);
    connect(this, &orbQuickTreeView::hideRootChanged, this, &orbQuickTreeView::onHideRootChanged);
}

orbQuickTreeView::~orbQuickTreeView()
{
    // Nothing may call back into a view that is half gone.
    for (orbQuickTreeViewModelItem *item : qAsConst(m_modelItems))
        disconnect(item, nullptr, this, nullptr);
    for (QAbstractItemModel *model : qAsConst(m_connectedModels))
        disconnect(model, nullptr, this, nullptr);
}

// ---- models and model items ----------------------------------------------

QAbstractItemModel *orbQuickTreeView::model() const
{
    return m_modelItems.size() == 1 ? m_modelItems.first()->model() : nullptr;
}

void orbQuickTreeView::setModel(QAbstractItemModel *model)
{
    if (m_modelItems.size() == 1 && m_ownModelItems.contains(m_modelItems.first())
        && m_modelItems.first()->model() == model)
        return;
    removeAllModelItems();
    auto *item = new orbQuickTreeViewModelItem(this, model, m_delegate);
    m_ownModelItems.insert(item);
    addModelItem(item);
}

QQmlListProperty<orbQuickTreeViewModelItem> orbQuickTreeView::models()
{
    return QQmlListProperty<orbQuickTreeViewModelItem>(
        this, nullptr, &appendModelItem, &modelItemCount, &modelItemAt, &clearModelItems);
}

void orbQuickTreeView::appendModelItem(QQmlListProperty<orbQuickTreeViewModelItem> *list,
                                       orbQuickTreeViewModelItem *item)
{
    static_cast<orbQuickTreeView *>(list->object)->addModelItem(item);
}

int orbQuickTreeView::modelItemCount(QQmlListProperty<orbQuickTreeViewModelItem> *list)
{
    return static_cast<orbQuickTreeView *>(list->object)->m_modelItems.size();
}

orbQuickTreeViewModelItem *
orbQuickTreeView::modelItemAt(QQmlListProperty<orbQuickTreeViewModelItem> *list, int index)
{
    return static_cast<orbQuickTreeView *>(list->object)->m_modelItems.value(index, nullptr);
}

void orbQuickTreeView::clearModelItems(QQmlListProperty<orbQuickTreeViewModelItem> *list)
{
    auto *view = static_cast<orbQuickTreeView *>(list->object);
    view->removeAllModelItems();
    emit view->modelChanged();
}

void orbQuickTreeView::addModelItem(orbQuickTreeViewModelItem *item)
{
    if (!item)
        return;
    if (m_modelItems.contains(item)) {
        qCWarning(lcTreeView)
            << "orbQuickTreeView: a model item is listed twice; the second entry is ignored";
        return;
    }
    m_modelItems.append(item);
    m_modelItemObjects.insert(item, item);
    m_mirror.setModelItems(m_modelItems);
    connect(item, &orbQuickTreeViewModelItem::modelChanged, this,
            &orbQuickTreeView::establishConnectionsSlot);
    connect(item, &orbQuickTreeViewModelItem::rootChanged, this, &orbQuickTreeView::modelReset);
    connect(item, &orbQuickTreeViewModelItem::delegateChanged, this, &orbQuickTreeView::modelReset);
    connect(item, &orbQuickTreeViewModelItem::hideRootChanged, this,
            &orbQuickTreeView::onHideRootChanged);
    connect(item, &QObject::destroyed, this, &orbQuickTreeView::onModelItemDestroyed);
    if (item->model())
        establish(item->model());
    else
        emit modelChanged();
}

void orbQuickTreeView::removeAllModelItems()
{
    for (orbQuickTreeViewModelItem *item : qAsConst(m_modelItems)) {
        disconnect(item, nullptr, this, nullptr);
        if (m_ownModelItems.contains(item))
            item->deleteLater();
    }
    m_modelItems.clear();
    m_modelItemObjects.clear();
    m_ownModelItems.clear();
    m_mirror.setModelItems(m_modelItems);
    m_mirror.clear();
    m_delegates.discardAll();
    syncConnections();
    refreshAfterStructureChange();
}

void orbQuickTreeView::onModelItemDestroyed(QObject *object)
{
    // The item is past its own destructor: it is found by address, never cast.
    orbQuickTreeViewModelItem *item = m_modelItemObjects.take(object);
    if (!item)
        return;
    m_modelItems.removeAll(item);
    m_ownModelItems.remove(item);
    m_mirror.setModelItems(m_modelItems);
    m_mirror.removeItemBranches(item);
    m_delegates.releaseAll();
    m_delegates.discardReleased(item);
    syncConnections();
    refreshAfterStructureChange();
    emit modelChanged();
}

void orbQuickTreeView::onModelDestroyed(QObject *object)
{
    QAbstractItemModel *model = m_modelObjects.take(object); // found by address, never cast
    if (!model)
        return;
    m_connectedModels.remove(model);
    m_mirror.removeModelBranches(model);
    m_mirror.dropInvalidExpanded();
    refreshAfterStructureChange();
    emit modelChanged();
}

void orbQuickTreeView::establishConnectionsSlot()
{
    auto *item = qobject_cast<orbQuickTreeViewModelItem *>(sender());
    if (item && m_modelItems.contains(item))
        establish(item->model());
}

void orbQuickTreeView::establish(QAbstractItemModel *model)
{
    syncConnections();
    if (model) {
        // A newly shown model starts at the first row, not at the row the old current one moves to.
        m_currentModelIndex = QPersistentModelIndex();
        applyCurrentIndex(0, true);
    }
    modelReset();
    emit modelChanged();
}

void orbQuickTreeView::syncConnections()
{
    QSet<QAbstractItemModel *> needed;
    for (const orbQuickTreeViewModelItem *item : qAsConst(m_modelItems)) {
        if (item->model())
            needed.insert(item->model());
    }
    const QSet<QAbstractItemModel *> connected = m_connectedModels;
    for (QAbstractItemModel *model : connected) {
        if (!needed.contains(model))
            disconnectModel(model);
    }
    for (QAbstractItemModel *model : qAsConst(needed)) {
        if (!m_connectedModels.contains(model))
            connectModel(model);
    }
}

void orbQuickTreeView::connectModel(QAbstractItemModel *model)
{
    using Model = QAbstractItemModel;
    using View = orbQuickTreeView;
    connect(model, &Model::dataChanged, this, &View::dataChanged);
    connect(model, &Model::modelAboutToBeReset, this, &View::modelAboutToBeReset);
    connect(model, &Model::modelReset, this, &View::modelReset);
    connect(model, &Model::rowsAboutToBeMoved, this, &View::rowsAboutToBeMoved);
    connect(model, &Model::rowsMoved, this, &View::rowsMoved);
    connect(model, &Model::rowsAboutToBeInserted, this, &View::rowsAboutToBeInserted);
    connect(model, &Model::rowsInserted, this, &View::rowsInserted);
    connect(model, &Model::rowsAboutToBeRemoved, this, &View::rowsAboutToBeRemoved);
    connect(model, &Model::rowsRemoved, this, &View::rowsRemoved);
    connect(model, &Model::layoutAboutToBeChanged, this, &View::layoutAboutToBeChanged);
    connect(model, &Model::layoutChanged, this, &View::layoutChanged);
    connect(model, &QObject::destroyed, this, &View::onModelDestroyed);
    m_connectedModels.insert(model);
    m_modelObjects.insert(model, model);
}

void orbQuickTreeView::disconnectModel(QAbstractItemModel *model)
{
    disconnect(model, nullptr, this, nullptr);
    m_connectedModels.remove(model);
    m_modelObjects.remove(model);
}

// ---- properties ------------------------------------------------------------

QModelIndex orbQuickTreeView::rootModelIndex() const
{
    if (m_modelItems.size() > 1) {
        qWarning() << Q_FUNC_INFO << "Not supported for multiple models";
        return {};
    }
    return m_modelItems.isEmpty() ? QModelIndex() : m_modelItems.first()->root();
}

void orbQuickTreeView::setRootModelIndex(const QModelIndex &root)
{
    if (m_modelItems.size() > 1) {
        qWarning() << Q_FUNC_INFO
                   << "Not supported for multiple models. Set root in ORBTreeViewModelItem "
                      "instance instead.";
        return;
    }
    if (m_modelItems.size() != 1 || m_modelItems.first()->root() == root)
        return;
    m_modelItems.first()->setRoot(root);
    emit rootModelIndexChanged();
    modelReset();
}

void orbQuickTreeView::setHideRoot(bool hideRoot)
{
    if (m_mirror.settings().hideRoot == hideRoot)
        return;
    m_mirror.settings().hideRoot = hideRoot;
    emit hideRootChanged();
}

QQmlComponent *orbQuickTreeView::delegate() const
{
    return m_modelItems.size() == 1 ? m_modelItems.first()->delegate() : m_delegate.data();
}

void orbQuickTreeView::setDelegate(QQmlComponent *delegate)
{
    if (m_delegate == delegate)
        return;
    m_delegate = delegate;
    const auto items = m_modelItems; // a rebuild may run for each
    for (orbQuickTreeViewModelItem *item : items)
        item->setDelegate(delegate);
}

void orbQuickTreeView::setItemHeight(double height)
{
    if (m_mirror.settings().itemHeight == height)
        return;
    m_mirror.settings().itemHeight = height;
    emit itemHeightChanged();
}

void orbQuickTreeView::setRootItemHeight(double height)
{
    if (m_mirror.settings().rootItemHeight == height)
        return;
    m_mirror.settings().rootItemHeight = height;
    emit rootItemHeightChanged();
}

void orbQuickTreeView::setCurrentIndex(int index)
{
    applyCurrentIndex(index, true);
}

void orbQuickTreeView::onHideRootChanged()
{
    // Which row is hidden decides levels and heights too: build again, keeping what is open.
    m_mirror.build();
    refreshAfterStructureChange();
}

// ---- current row -----------------------------------------------------------

void orbQuickTreeView::applyCurrentIndex(int index, bool changedOnly, bool dataFresh)
{
    const int clamped = std::max(0, std::min(index, m_rowCount - 1));
    if (changedOnly && clamped == m_currentIndex)
        return;
    m_currentIndex = clamped;
    const orbQuickTreeItem *node = nodeAt(clamped);
    if (node && dataFresh && m_currentItemData.isValid() && node->index() == m_currentModelIndex) {
        emit currentItemDataChanged();
    } else if (node) {
        m_currentModelIndex = node->index();
        QVariantMap values;
        if (node->modelItem() && node->index().isValid()) {
            const QAbstractItemModel *model = node->index().model();
            const auto itemData = model->itemData(node->index());
            const auto roles = model->roleNames();
            for (auto it = roles.cbegin(); it != roles.cend(); ++it)
                values.insert(QString::fromUtf8(it.value()), itemData.value(it.key()));
        }
        m_currentItemData = values;
        emit currentItemDataChanged();
    } else {
        const bool keepRoot = m_currentModelIndex.isValid() && !m_modelItems.isEmpty();
        m_currentModelIndex = keepRoot ? QPersistentModelIndex(m_modelItems.first()->root())
                                       : QPersistentModelIndex();
        m_currentItemData = QVariant();
    }
    emit currentIndexChanged();
}

void orbQuickTreeView::keepCurrentRow(bool dataFresh)
{
    const int row = m_mirror.rowOf(m_currentModelIndex);
    if (row >= 0)
        applyCurrentIndex(row, false, dataFresh);
    else
        applyCurrentIndex(m_rowCount == 0 ? -1 : m_currentIndex, false);
}

void orbQuickTreeView::incrementCurrentIndex()
{
    if (m_currentIndex < INT_MAX)
        applyCurrentIndex(m_currentIndex + 1, true);
}

void orbQuickTreeView::decrementCurrentIndex()
{
    applyCurrentIndex(m_currentIndex - 1, true);
}

// ---- rows ------------------------------------------------------------------

orbQuickTreeItem *orbQuickTreeView::toggleableNodeAt(int row) const
{
    orbQuickTreeItem *node = nodeAt(row);
    return node && node->collapsable() ? node : nullptr;
}

bool orbQuickTreeView::openNode(orbQuickTreeItem *node)
{
    m_mirror.expanded().insert(node->index());
    m_mirror.open(node);
    // Last: a model may insert the fetched rows at once, changing the mirror under us.
    const QPersistentModelIndex index = node->index();
    auto *model = const_cast<QAbstractItemModel *>(index.model());
    if (model && model->hasChildren(index) && model->canFetchMore(index))
        model->fetchMore(index);
    return true;
}

bool orbQuickTreeView::closeNode(orbQuickTreeItem *node)
{
    m_mirror.expanded().remove(node->index());
    m_mirror.close(node);
    return true;
}

bool orbQuickTreeView::openItemAt(int index)
{
    orbQuickTreeItem *node = toggleableNodeAt(index);
    if (!node || m_mirror.expanded().contains(node->index()))
        return false;
    openNode(node);
    refreshRowsFrom(index);
    return true;
}

bool orbQuickTreeView::closeItemAt(int index)
{
    orbQuickTreeItem *node = toggleableNodeAt(index);
    if (!node || !m_mirror.expanded().contains(node->index()))
        return false;
    closeNode(node);
    refreshRowsFrom(index);
    return true;
}

void orbQuickTreeView::toggleItemAt(int index)
{
    orbQuickTreeItem *node = toggleableNodeAt(index);
    if (!node)
        return;
    if (m_mirror.expanded().contains(node->index()))
        closeNode(node);
    else
        openNode(node);
    refreshRowsFrom(index);
}

void orbQuickTreeView::setCollapsable(int index, bool collapsable)
{
    orbQuickTreeItem *node = nodeAt(index);
    if (!node)
        return;
    node->setCollapsable(collapsable);
    // A row the user cannot close is shown open.
    if (!collapsable && node->collapsed())
        openNode(node);
    refresh();
}

int orbQuickTreeView::parentIndex(int index)
{
    const orbQuickTreeItem *node = nodeAt(index);
    const orbQuickTreeItem *parent = node ? node->parent() : nullptr;
    if (!parent || !parent->index().isValid())
        return 0;
    return std::max(0, m_mirror.rowOfNode(parent));
}

int orbQuickTreeView::roleNumber(const QAbstractItemModel *model, const QString &role) const
{
    return model ? model->roleNames().key(role.toUtf8(), 0) : 0;
}

QVariant orbQuickTreeView::data(int index, const QString &role)
{
    const orbQuickTreeItem *node = nodeAt(index);
    if (!node || !node->modelItem())
        return {};
    return node->data(roleNumber(node->index().model(), role));
}

bool orbQuickTreeView::setData(int index, const QString &role, const QVariant &data)
{
    const orbQuickTreeItem *node = nodeAt(index);
    if (!node || !node->modelItem() || !node->index().isValid())
        return false;
    auto *model = const_cast<QAbstractItemModel *>(node->index().model());
    return model->setData(node->index(), data, roleNumber(model, role));
}

bool orbQuickTreeView::canFetchMore(int index)
{
    const orbQuickTreeItem *node = nodeAt(index);
    if (!node || !node->index().isValid())
        return false;
    return node->index().model()->canFetchMore(node->index());
}

int orbQuickTreeView::numChildren(int index)
{
    const orbQuickTreeItem *node = nodeAt(index);
    return node ? node->childCount() : 0;
}

int orbQuickTreeView::level(int index)
{
    const orbQuickTreeItem *node = nodeAt(index);
    return node ? node->level() : 0;
}

int orbQuickTreeView::getIndex(const QModelIndex &modelIndex)
{
    return m_mirror.rowOf(modelIndex);
}

QModelIndex orbQuickTreeView::getModelIndex(int index)
{
    const orbQuickTreeItem *node = nodeAt(index);
    return node ? QModelIndex(node->index()) : QModelIndex();
}

int orbQuickTreeView::showModelIndex(const QModelIndex &modelIndex)
{
    if (!modelIndex.isValid())
        return -1;
    if (!m_mirror.modelItemOf(modelIndex)) {
        qWarning() << "Corresponding orbQuickTreeViewItem was not found for index" << modelIndex;
        return -1;
    }
    // The ancestors up to the first one already listed, opened from the top down.
    QList<QPersistentModelIndex> chain;
    for (QModelIndex up = modelIndex; up.isValid(); up = up.parent()) {
        chain.append(up);
        if (m_mirror.rowOf(up) >= 0)
            break;
    }
    bool opened = false;
    for (int link = chain.size() - 1; link >= 0; --link) {
        orbQuickTreeItem *node = nodeAt(m_mirror.rowOf(chain[link]));
        if (!node)
            break;
        if (node->collapsable() && !m_mirror.expanded().contains(node->index()))
            opened = openNode(node);
    }
    if (opened)
        refresh();
    return m_mirror.rowOf(modelIndex);
}

void orbQuickTreeView::positionViewAtIndex(int index)
{
    const orbQuickTreeItem *node = nodeAt(index);
    if (!node)
        return;
    const double y = node->y();
    const double h = node->height();
    if (y >= contentY() && y + h <= contentY() + height())
        return;
    double target = y >= contentY() ? y - height() + h : y;
    target = std::max(0.0, std::min(target, contentHeight() - height()));
    setContentY(target);
}

QQuickItem *orbQuickTreeView::visibleItemAtContentYPosition(qreal position, bool extendedBoundaries)
{
    const auto &shown = m_delegates.shown();
    if (shown.empty() || qIsNaN(position))
        return nullptr;
    const QQuickItem *first = shown.front().item;
    const QQuickItem *last = shown.back().item;
    if (!first || !last)
        return nullptr;
    if (extendedBoundaries && (position < first->y() || position > last->y() + last->height()))
        return nullptr;
    if (position < first->y())
        return nullptr;
    const auto after = std::upper_bound(shown.begin(), shown.end(), position,
                                        [](qreal value, const orbQuickTreeDelegatePool::Shown &s) {
                                            return s.item && value < s.item->y();
                                        });
    return after == shown.begin() ? nullptr : (after - 1)->item.data();
}

// ---- model notifications ---------------------------------------------------

QAbstractItemModel *orbQuickTreeView::notifyingModel() const
{
    auto *model = qobject_cast<QAbstractItemModel *>(sender());
    return model && m_connectedModels.contains(model) ? model : nullptr;
}

bool orbQuickTreeView::checkRange(QAbstractItemModel *model, const QModelIndex &parent, int &start,
                                  int &end, const char *notification) const
{
    if (parent.isValid() && parent.model() != model) {
        qCWarning(lcTreeView) << "orbQuickTreeView:" << notification
                              << "names a parent of another model; ignored";
        return false;
    }
    if (start > end || start < 0) {
        qCWarning(lcTreeView) << "orbQuickTreeView:" << notification << "with rows" << start << "to"
                              << end << "is reversed or negative; ignored";
        return false;
    }
    const int count = model->rowCount(parent);
    if (end >= count) {
        qCWarning(lcTreeView) << "orbQuickTreeView:" << notification << "with rows" << start << "to"
                              << end << "beyond the" << count << "rows of" << parent << "; clamped";
        end = count - 1;
    }
    return start <= end;
}

void orbQuickTreeView::resync(QAbstractItemModel *model)
{
    m_mirror.removeModelBranches(model);
    m_mirror.addModelBranches(model);
}

void orbQuickTreeView::modelAboutToBeReset()
{
}

void orbQuickTreeView::modelReset()
{
    m_mirror.clear();
    m_mirror.expanded().clear();
    m_delegates.discardAll();
    if (!m_modelItems.isEmpty()) {
        m_mirror.build();
        m_mirror.reflatten();
        rowsChanged();
        keepCurrentRow();
        layoutDelegates();
        updateContentHeight();
    } else {
        m_mirror.reflatten();
        rowsChanged();
        updateContentHeight();
    }
    emit resetFinished();
}

void orbQuickTreeView::rowsAboutToBeMoved(const QModelIndex &, int, int, const QModelIndex &, int)
{
}

void orbQuickTreeView::rowsMoved(const QModelIndex &sourceParent, int sourceStart, int sourceEnd,
                                 const QModelIndex &destinationParent, int destinationRow)
{
    QAbstractItemModel *model = notifyingModel();
    if (!model)
        return;
    if ((sourceParent.isValid() && sourceParent.model() != model)
        || (destinationParent.isValid() && destinationParent.model() != model) || sourceStart < 0
        || sourceStart > sourceEnd || destinationRow < 0) {
        qCWarning(lcTreeView) << "orbQuickTreeView: inconsistent rowsMoved" << sourceParent
                              << sourceStart << sourceEnd << destinationParent << destinationRow
                              << "; branch rebuilt";
        resync(model);
    } else if (!m_mirror.moveRows(model, sourceParent, sourceStart, sourceEnd, destinationParent,
                                  destinationRow)) {
        resync(model);
    }
    m_mirror.dropInvalidExpanded();
    refreshAfterStructureChange();
}

void orbQuickTreeView::rowsAboutToBeInserted(const QModelIndex &, int, int)
{
}

void orbQuickTreeView::rowsInserted(const QModelIndex &parent, int start, int end)
{
    QAbstractItemModel *model = notifyingModel();
    if (!model || !checkRange(model, parent, start, end, "rowsInserted"))
        return;
    if (parent.isValid() && !m_mirror.node(parent) && m_modelItems.size() > 1
        && !m_mirror.modelItemOf(parent)) {
        qWarning() << "Corresponding orbQuickTreeViewItem was not found for parent" << parent;
        return;
    }
    m_mirror.addRows(model, parent, start, end);
    refreshAfterStructureChange();
}

void orbQuickTreeView::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    QAbstractItemModel *model = notifyingModel();
    if (!model || !checkRange(model, parent, start, end, "rowsAboutToBeRemoved"))
        return;
    m_mirror.removeRows(model, parent, start, end);
    m_mirror.reflatten(); // the list must not hold deleted nodes until rowsRemoved
    m_pendingRemoval = true;
}

void orbQuickTreeView::rowsRemoved(const QModelIndex &parent, int start, int end)
{
    QAbstractItemModel *model = notifyingModel();
    if (!model)
        return;
    if (!m_pendingRemoval) {
        qCWarning(lcTreeView) << "orbQuickTreeView: rows" << start << "to" << end << "of" << parent
                              << "removed without notice; the model's branches are rebuilt";
        resync(model);
    }
    m_pendingRemoval = false;
    m_mirror.dropInvalidExpanded();
    refreshAfterStructureChange();
}

void orbQuickTreeView::layoutAboutToBeChanged(const QList<QPersistentModelIndex> &,
                                              QAbstractItemModel::LayoutChangeHint)
{
    QAbstractItemModel *model = notifyingModel();
    if (!model)
        return;
    // The model is about to reorder rows under the nodes: let go of them first.
    m_mirror.removeModelBranches(model);
    m_mirror.reflatten();
}

void orbQuickTreeView::layoutChanged(const QList<QPersistentModelIndex> &,
                                     QAbstractItemModel::LayoutChangeHint)
{
    QAbstractItemModel *model = notifyingModel();
    if (!model)
        return;
    m_mirror.dropInvalidExpanded();
    resync(model);
    const auto expanded = m_mirror.expanded();
    for (const QPersistentModelIndex &index : expanded) {
        if (index.model() == model && m_mirror.node(index) && model->hasChildren(index)
            && model->canFetchMore(index))
            model->fetchMore(index);
    }
    refreshAfterStructureChange();
}

void orbQuickTreeView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                   const QVector<int> &roles)
{
    QAbstractItemModel *model = notifyingModel();
    if (!model)
        return;
    if (!topLeft.isValid() || topLeft.model() != model || bottomRight.model() != model
        || topLeft.parent() != bottomRight.parent()) {
        qCWarning(lcTreeView)
            << "orbQuickTreeView: dataChanged with indexes of another model or parent;"
            << "ignored";
        return;
    }
    const QModelIndex parent = topLeft.parent();
    const int first = std::max(0, std::min(topLeft.row(), bottomRight.row()));
    const int last
        = std::min(std::max(topLeft.row(), bottomRight.row()), model->rowCount(parent) - 1);
    const auto roleNames = model->roleNames();
    for (int row = first; row <= last; ++row) {
        const orbQuickTreeItem *node = m_mirror.node(model->index(row, 0, parent));
        const int shownRow = m_mirror.rowOfNode(node);
        if (shownRow < 0)
            continue;
        if (shownRow == m_currentIndex)
            applyCurrentIndex(m_currentIndex, false);
        QQuickItem *item = m_delegates.itemAt(shownRow);
        if (!item)
            continue;
        if (roles.isEmpty()) {
            orbQuickTreeDelegatePool::writeProperties(item, node->contextProperties());
            continue;
        }
        for (int role : roles) {
            const QByteArray name = roleNames.value(role);
            if (!name.isEmpty())
                orbQuickTreeDelegatePool::writeProperty(item, QString::fromUtf8(name),
                                                        node->data(role));
        }
    }
}

// ---- refresh and delegates -------------------------------------------------

void orbQuickTreeView::rowsChanged()
{
    m_rowCount = m_mirror.rowCount();
    emit rowCountChanged();
}

void orbQuickTreeView::refresh()
{
    if (m_layingOut)
        m_layoutAgain = true; // a delegate changed the view while it was being made
    rowsChanged();
    keepCurrentRow();
    m_delegates.releaseAll();
    if (!m_modelItems.isEmpty())
        layoutDelegates();
    updateContentHeight();
}

void orbQuickTreeView::refreshRowsFrom(int row)
{
    // Rows above the one opened or closed keep their number, place and properties,
    // and the current row keeps its values: only what changed is redone.
    if (m_layingOut)
        m_layoutAgain = true;
    rowsChanged();
    keepCurrentRow(true);
    m_delegates.releaseFrom(row);
    if (!m_modelItems.isEmpty())
        layoutDelegates();
    updateContentHeight();
}

void orbQuickTreeView::refreshAfterStructureChange()
{
    m_mirror.reflatten();
    refresh();
}

void orbQuickTreeView::layoutDelegates()
{
    if (m_layingOut)
        return;
    m_layingOut = true;
    // Bounded: a delegate that changes the view on every creation must not hang it.
    for (int attempt = 0; attempt < 4; ++attempt) {
        m_layoutAgain = false;
        layoutDelegatesOnce();
        if (!m_layoutAgain)
            break;
        m_delegates.releaseAll();
    }
    m_layingOut = false;
}

void orbQuickTreeView::layoutDelegatesOnce()
{
    const int rows = m_mirror.rowCount();
    if (rows == 0) {
        m_delegates.releaseAll();
        return;
    }
    const double margin = std::max(rootItemHeight(), itemHeight());
    const int first = std::max(0, m_mirror.rowAt(contentY() - margin));
    const int last = std::min(rows - 1, m_mirror.rowAt(contentY() + height()));
    m_delegates.releaseOutside(first, last);
    if (!m_delegates.isEmpty()) {
        for (int row = m_delegates.firstRow() - 1; row >= first && !m_layoutAgain; --row) {
            orbQuickTreeItem *node = nodeAt(row);
            if (QQuickItem *item = makeDelegateItem(node))
                m_delegates.prepend(item, node->modelItem(), row);
        }
    }
    const int from = m_delegates.isEmpty() ? first : m_delegates.lastRow() + 1;
    for (int row = from; row <= last && !m_layoutAgain; ++row) {
        orbQuickTreeItem *node = nodeAt(row);
        if (QQuickItem *item = makeDelegateItem(node))
            m_delegates.append(item, node->modelItem(), row);
    }
}

QQuickItem *orbQuickTreeView::makeDelegateItem(orbQuickTreeItem *node)
{
    if (!node)
        return nullptr;
    orbQuickTreeViewModelItem *modelItem = node->modelItem();
    const QVariantMap properties = node->contextProperties();
    QQuickItem *item = m_delegates.takeReleased(modelItem);
    if (item) {
        orbQuickTreeDelegatePool::writeProperties(item, properties);
        item->setVisible(true);
    } else {
        if (m_modelItems.contains(modelItem))
            item = instantiate(modelItem->delegate(), properties);
        if (!item)
            item = instantiate(m_delegate, properties);
        if (!item)
            return nullptr;
        item->setParent(contentItem());
        item->setParentItem(contentItem());
    }
    item->setWidth(width());
    item->setHeight(node->height());
    item->setY(node->y());
    return item;
}

QQuickItem *orbQuickTreeView::instantiate(QQmlComponent *component, const QVariantMap &properties)
{
    if (!component || component->isLoading() || m_reportedComponents.contains(component))
        return nullptr;
    if (component->isError()) {
        reportComponent(component, "has errors: " + component->errorString());
        return nullptr;
    }
    QQuickItem *item = orbQuickComponent::createItem(component, nullptr, properties);
    if (!item)
        reportComponent(component, QStringLiteral("does not make an Item"));
    return item;
}

void orbQuickTreeView::reportComponent(QQmlComponent *component, const QString &problem)
{
    // Once per component, not once per row.
    m_reportedComponents.insert(component);
    connect(component, &QObject::destroyed, this,
            [this, component] { m_reportedComponents.remove(component); });
    qCWarning(lcTreeView).noquote()
        << "orbQuickTreeView: the delegate" << component->url().toString() << problem
        << "; its rows are skipped";
}

void orbQuickTreeView::updateContentHeight()
{
    setContentHeight(m_mirror.contentHeight());
    if (!isMoving() && !isFlicking() && contentHeight() < height() && contentY() != 0)
        setContentY(0);
}

// ---- events and geometry ---------------------------------------------------

void orbQuickTreeView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    forceActiveFocus();
}

bool orbQuickTreeView::childMouseEventFilter(QQuickItem *, QEvent *event)
{
    event->accept();
    return false;
}

void orbQuickTreeView::geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickFlickable::geometryChanged(newGeometry, oldGeometry);
    if (newGeometry.width() != oldGeometry.width()) {
        const double rowWidth = std::max(contentWidth(), width());
        for (const auto &shown : m_delegates.shown()) {
            if (shown.item)
                shown.item->setWidth(rowWidth);
        }
    }
    if (newGeometry.height() != oldGeometry.height() && !m_modelItems.isEmpty()) {
        layoutDelegates();
        updateContentHeight();
    }
}

void orbQuickTreeView::viewportMoved(Qt::Orientations orientation)
{
    QQuickFlickable::viewportMoved(orientation);
    if ((orientation & Qt::Vertical) && !m_modelItems.isEmpty()) {
        layoutDelegates();
        updateContentHeight();
    }
}
