#include "orbQuick.h"

#include "GarbageCollection.h"
#include "orbDragHandlerEvent.h"
#include "orbDropZoneEvent.h"
#include "orbMimeData.h"
#include "orbQuickColumnView.h"
#include "orbQuickColumnViewCell.h"
#include "orbQuickColumnViewColumn.h"
#include "orbQuickColumnViewColumnModel.h"
#include "orbQuickColumnViewHeader.h"
#include "orbQuickColumnViewRow.h"
#include "orbQuickDoubleValidator.h"
#include "orbQuickDragHandler.h"
#include "orbQuickDragZone.h"
#include "orbQuickDropZone.h"
#include "orbQuickFont.h"
#include "orbQuickMouseArea.h"
#include "orbQuickMouseEvent.h"
#include "orbQuickRoot.h"
#include "orbQuickTreeView.h"
#include "orbQuickTreeViewModelItem.h"
#include "orbSvgItem.h"
#include "orbSvgNodeItem.h"

#include <QtCore/QCoreApplication>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQml/qqml.h>

#include <cstring>
#include <stdexcept>

namespace {

orb::GarbageCollection *publishedCollector()
{
    const QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    const QVariant value = app->property(orb::GarbageCollection::applicationProperty);
    if (value.userType() == QMetaType::VoidStar)
        return static_cast<orb::GarbageCollection *>(value.value<void *>());
    QVariant converted = value;
    if (!converted.convert(QMetaType::VoidStar))
        return nullptr;
    return static_cast<orb::GarbageCollection *>(converted.value<void *>());
}

} // namespace

orbQuick::orbQuick()
{
    orb::GarbageCollection::setInstance(publishedCollector());
}

void orbQuick::registerTypes(const char *uri)
{
    qRegisterMetaType<orbMimeData *>("orbMimeData*");
    // The registration order is part of the module's interface: each type has
    // its fixed place (the number on its line); new types go in at their place.
    qmlRegisterType<orbQuickMouseArea>(uri, 1, 0, "ORBMouseArea");                         // 1
    qmlRegisterType<orbQuickFont>(uri, 1, 0, "ORBFont");                                   // 2
    qmlRegisterType<orbQuickDoubleValidator>(uri, 1, 0, "ORBDoubleValidator");             // 3
    qmlRegisterType<orbSvgItem>(uri, 1, 0, "ORBSvgItem");                                  // 4
    qmlRegisterType<orbSvgNodeItem>(uri, 1, 0, "ORBSvgNode");                              // 5
    qmlRegisterType<orbQuickTreeView>(uri, 1, 0, "ORBTreeView");                           // 6
    qmlRegisterType<orbQuickTreeViewModelItem>(uri, 1, 0, "ORBTreeViewModelItem");         // 7
    qmlRegisterType<orbQuickColumnView>(uri, 1, 0, "ORBColumnView");                       // 8
    qmlRegisterType<orbQuickColumnViewColumn>(uri, 1, 0, "ORBColumnViewColumn");           // 9
    qmlRegisterType<orbQuickColumnViewHeader>(uri, 1, 0, "ORBColumnViewColumnHeader");     // 10
    qmlRegisterType<orbQuickColumnViewRow>(uri, 1, 0, "ORBColumnViewRow");                 // 11
    qmlRegisterType<orbQuickColumnViewCell>(uri, 1, 0, "ORBColumnViewCell");               // 12
    qmlRegisterType<orbQuickColumnViewColumnModel>(uri, 1, 0, "ORBColumnViewColumnModel"); // 13
    qmlRegisterUncreatableType<orbMimeData>(uri, 1, 0, "ORBMimeData",
                                            QStringLiteral("Only returned!")); // 14
    qmlRegisterType<orbDropZoneEvent>(uri, 1, 0, "ORBDropZoneEvent");          // 15
    qmlRegisterUncreatableType<orbDragHandlerEvent>(
        uri, 1, 0, "ORBDragHandlerEvent",
        QStringLiteral("Needed by ORBDragHandler")); // 16
    qmlRegisterUncreatableType<orbQuickMouseEvent>(uri, 1, 0, "ORBMouseEvent",
                                                   QStringLiteral("Needed by ORBMouseArea")); // 17
    qmlRegisterUncreatableType<orbStroke>(uri, 1, 0, "ORBStroke",
                                          QStringLiteral("Used by orbSvgNodeItem")); // 18
    qmlRegisterUncreatableType<orbGradient>(uri, 1, 0, "ORBGradient",
                                            QStringLiteral("Used by orbSvgNodeItem")); // 19
    qmlRegisterType<orbQuickDragHandler>(uri, 1, 0, "ORBDragHandler");                 // 20
    qmlRegisterType<orbQuickDragZone>(uri, 1, 0, "ORBDragZone");                       // 21
    qmlRegisterType<orbQuickDropZone>(uri, 1, 0, "ORBDropZone");                       // 22
}

void orbQuick::initializeEngine(QQmlEngine *engine, const char *uri)
{
    if (std::strcmp(uri, "orbQuick") != 0)
        throw std::runtime_error("uri != orbQuick");

    // The control library is resolved inside the compiled-in resources.
    engine->addImportPath(QStringLiteral(":/Libs/"));
    engine->rootContext()->setContextProperty(QStringLiteral("orbQuickRoot"),
                                              new orbQuickRoot(engine));
}
