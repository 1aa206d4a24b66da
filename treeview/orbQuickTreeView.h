#pragma once

#include "orbQuickTreeDelegatePool.h"
#include "orbQuickTreeMirror.h"
#include "orbQuickTreeViewModelItem.h"

#include <QtCore/QAbstractItemModel>
#include <QtCore/QPersistentModelIndex>
#include <QtCore/QPointer>
#include <QtCore/QSet>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlListProperty>
#include <QtQuick/private/qquickflickable_p.h>

#include <memory>

// Shows one or more hierarchical models, each declared by a model item, as
// one flattened list of fixed-height rows. Only on-screen rows get delegate
// items; they learn their row's state and role values as context properties
// and are recycled per model item. Rows are addressed by their flat number.
// The view scrolls by wheel or content position only: mouse presses and
// drags stay with the delegates. Owns its mirror and delegate items, never
// the models, model items listed from QML or components. GUI thread only.
class orbQuickTreeView : public QQuickFlickable
{
    Q_OBJECT
    Q_PROPERTY(QAbstractItemModel *model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(QQmlListProperty<orbQuickTreeViewModelItem> models READ models NOTIFY modelChanged)
    Q_PROPERTY(QModelIndex rootModelIndex READ rootModelIndex WRITE setRootModelIndex NOTIFY
                   rootModelIndexChanged)
    Q_PROPERTY(bool hideRoot READ hideRoot WRITE setHideRoot NOTIFY hideRootChanged)
    Q_PROPERTY(int rowCount READ rowCount NOTIFY rowCountChanged)
    Q_PROPERTY(int currentIndex READ currentIndex WRITE setCurrentIndex NOTIFY currentIndexChanged)
    Q_PROPERTY(QQmlComponent *delegate READ delegate WRITE setDelegate NOTIFY delegateChanged)
    Q_PROPERTY(double itemHeight READ itemHeight WRITE setItemHeight NOTIFY itemHeightChanged)
    Q_PROPERTY(double rootItemHeight READ rootItemHeight WRITE setRootItemHeight NOTIFY
                   rootItemHeightChanged)
    Q_PROPERTY(QVariant currentItemData READ currentItemData NOTIFY currentItemDataChanged)

public:
    explicit orbQuickTreeView(QQuickItem *parent = nullptr);
    ~orbQuickTreeView() override;

    QAbstractItemModel *model() const;
    void setModel(QAbstractItemModel *model);
    QQmlListProperty<orbQuickTreeViewModelItem> models();
    QModelIndex rootModelIndex() const;
    void setRootModelIndex(const QModelIndex &root);
    bool hideRoot() const { return m_mirror.settings().hideRoot; }
    void setHideRoot(bool hideRoot);
    int rowCount() const { return m_rowCount; }
    int currentIndex() const { return m_currentIndex; }
    void setCurrentIndex(int index);
    QQmlComponent *delegate() const;
    void setDelegate(QQmlComponent *delegate);
    double itemHeight() const { return m_mirror.settings().itemHeight; }
    void setItemHeight(double height);
    double rootItemHeight() const { return m_mirror.settings().rootItemHeight; }
    void setRootItemHeight(double height);
    QVariant currentItemData() const { return m_currentItemData; }

signals:
    void modelChanged();
    void rootModelIndexChanged();
    void hideRootChanged();
    void rowCountChanged();
    void currentIndexChanged();
    void delegateChanged();
    void itemHeightChanged();
    void rootItemHeightChanged();
    void currentItemDataChanged();
    void resetFinished();

public slots:
    void incrementCurrentIndex();
    void decrementCurrentIndex();
    int parentIndex(int index);
    void toggleItemAt(int index);
    bool openItemAt(int index);
    bool closeItemAt(int index);
    void setCollapsable(int index, bool collapsable);
    QVariant data(int index, const QString &role);
    bool setData(int index, const QString &role, const QVariant &data);
    bool canFetchMore(int index);
    int numChildren(int index);
    int level(int index);
    void positionViewAtIndex(int index);
    int getIndex(const QModelIndex &modelIndex);
    int showModelIndex(const QModelIndex &modelIndex);
    QModelIndex getModelIndex(int index);
    QQuickItem *visibleItemAtContentYPosition(qreal position, bool extendedBoundaries);

protected slots:
    void modelAboutToBeReset();
    void modelReset();
    void rowsAboutToBeMoved(const QModelIndex &sourceParent, int sourceStart, int sourceEnd,
                            const QModelIndex &destinationParent, int destinationRow);
    void rowsMoved(const QModelIndex &sourceParent, int sourceStart, int sourceEnd,
                   const QModelIndex &destinationParent, int destinationRow);
    void rowsAboutToBeInserted(const QModelIndex &parent, int start, int end);
    void rowsInserted(const QModelIndex &parent, int start, int end);
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end);
    void rowsRemoved(const QModelIndex &parent, int start, int end);
    void layoutAboutToBeChanged(const QList<QPersistentModelIndex> &parents
                                = QList<QPersistentModelIndex>(),
                                QAbstractItemModel::LayoutChangeHint hint
                                = QAbstractItemModel::NoLayoutChangeHint);
    void layoutChanged(const QList<QPersistentModelIndex> &parents = QList<QPersistentModelIndex>(),
                       QAbstractItemModel::LayoutChangeHint hint
                       = QAbstractItemModel::NoLayoutChangeHint);
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QVector<int> &roles = QVector<int>());
    void establishConnectionsSlot();
    void onHideRootChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    bool childMouseEventFilter(QQuickItem *item, QEvent *event) override;
    void geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void viewportMoved(Qt::Orientations orientation) override;

private:
    static void appendModelItem(QQmlListProperty<orbQuickTreeViewModelItem> *list,
                                orbQuickTreeViewModelItem *item);
    static int modelItemCount(QQmlListProperty<orbQuickTreeViewModelItem> *list);
    static orbQuickTreeViewModelItem *modelItemAt(QQmlListProperty<orbQuickTreeViewModelItem> *list,
                                                  int index);
    static void clearModelItems(QQmlListProperty<orbQuickTreeViewModelItem> *list);

    void addModelItem(orbQuickTreeViewModelItem *item);
    void removeAllModelItems();
    void onModelItemDestroyed(QObject *item);
    void onModelDestroyed(QObject *model);
    void establish(QAbstractItemModel *model);
    void syncConnections();
    void connectModel(QAbstractItemModel *model);
    void disconnectModel(QAbstractItemModel *model);
    QAbstractItemModel *notifyingModel() const;
    bool checkRange(QAbstractItemModel *model, const QModelIndex &parent, int &start, int &end,
                    const char *notification) const;
    void resync(QAbstractItemModel *model);

    orbQuickTreeItem *nodeAt(int row) const { return m_mirror.nodeAt(row); }
    orbQuickTreeItem *toggleableNodeAt(int row) const;
    bool openNode(orbQuickTreeItem *node);
    bool closeNode(orbQuickTreeItem *node);
    void rowsChanged();
    void refresh();
    void refreshRowsFrom(int row);
    void refreshAfterStructureChange();
    // dataFresh: the values of the current row are known not to have changed.
    void applyCurrentIndex(int index, bool changedOnly, bool dataFresh = false);
    void keepCurrentRow(bool dataFresh = false);

    void layoutDelegates();
    QQuickItem *makeDelegateItem(orbQuickTreeItem *node);
    void layoutDelegatesOnce();
    QQuickItem *instantiate(QQmlComponent *component, const QVariantMap &properties);
    void reportComponent(QQmlComponent *component, const QString &problem);
    void updateContentHeight();
    int roleNumber(const QAbstractItemModel *model, const QString &role) const;

    orbQuickTreeMirror m_mirror;
    orbQuickTreeDelegatePool m_delegates;
    QList<orbQuickTreeViewModelItem *> m_modelItems;
    QSet<orbQuickTreeViewModelItem *> m_ownModelItems;
    QSet<QAbstractItemModel *> m_connectedModels;
    // Destroyed senders are looked up by their QObject address, not cast.
    QHash<QObject *, orbQuickTreeViewModelItem *> m_modelItemObjects;
    QHash<QObject *, QAbstractItemModel *> m_modelObjects;
    QSet<QQmlComponent *> m_reportedComponents;
    QPointer<QQmlComponent> m_delegate;
    QPersistentModelIndex m_currentModelIndex;
    int m_currentIndex = -1;
    int m_rowCount = 0;
    QVariant m_currentItemData;
    bool m_pendingRemoval = false;
    bool m_layingOut = false;
    bool m_layoutAgain = false;
};
