import QtQuick 2.15

// Opens a menu in a new ORBForegroundLayer of the main window while its
// context (an ORBContext, by default the parent) is open, and removes the
// layer again when the context closes or this item goes away.
Item {
    id: menu

    property Component content: null
    property Item context: parent
    property point menuOrigin: Qt.point(0, 0)
    property bool closeOnWindowResize: true
    property bool closeWindowOnEscape: true
    property bool modal: false
    property bool asynchronously: false
    property real contentScaleFactor: 1.0

    // The open layer and the content in it, null while closed.
    property Item foregroundLayer: null
    property Item contentItem: null
    property var incubator: null

    signal foregroundLayerMenuContentReady()
    signal foregroundLayerMenuContentDestroyed()

    width: contentItem ? contentItem.width * contentItem.scale : 0
    height: contentItem ? contentItem.height * contentItem.scale : 0

    function mainWindow() {
        return typeof root !== "undefined" && root && typeof root.openDialog === "function" ? root : null;
    }

    function closeContext(reason) {
        if (context && typeof context.close === "function")
            context.close(reason);
    }

    // The menu cannot be shown: say why once and leave the context closed.
    function fail(message) {
        console.warn("ORBForegroundLayerMenu:", message);
        discardLayer();
        closeContext("failed");
    }

    function build() {
        if (!content) {
            console.warn("Please assign a proper content");
            closeContext("failed");
            return;
        }
        if (!enabled || foregroundLayer || incubator)
            return;
        if (content.status !== Component.Ready) {
            fail("the content cannot be created: " + content.errorString().trim());
            return;
        }
        var window = mainWindow();
        if (!window) {
            fail("no ORBMainWindow (identifier root) to open the menu in");
            return;
        }
        var created = window.openDialog(Qt.resolvedUrl("ORBForegroundLayer.qml"), asynchronously, undefined);
        if (!asynchronously) {
            attachLayer(created);
            return;
        }
        if (!created) {
            fail("the foreground layer cannot be created");
            return;
        }
        incubator = created;
        if (created.status !== Component.Loading) {
            incubated();
            return;
        }
        var previous = created.onStatusChanged;
        created.onStatusChanged = function(status) {
            if (typeof previous === "function")
                previous(status);
            if (menu.incubator === created)
                menu.incubated();
        };
    }

    function incubated() {
        var done = incubator;
        incubator = null;
        if (done.status === Component.Ready)
            attachLayer(done.object);
        else
            fail("the foreground layer cannot be created");
    }

    function attachLayer(newLayer) {
        if (!newLayer) {
            fail("the foreground layer cannot be created");
            return;
        }
        // The context may have closed while the layer was being made.
        if (!context || !context.opened) {
            newLayer.destroy();
            return;
        }
        foregroundLayer = newLayer;
        foregroundLayer.modal = Qt.binding(function() { return menu.modal; });
        var item = content.createObject(foregroundLayer, { scaleFactor: contentScaleFactor });
        if (!item) {
            fail("the content cannot be created: " + content.errorString().trim());
            return;
        }
        if (typeof item.aboutToClose !== "function") {
            item.destroy();
            fail("the content's root is not an ORBForegroundLayerMenuContent");
            return;
        }
        item.scaleFactor = Qt.binding(function() { return menu.contentScaleFactor; });
        contentItem = item;
        foregroundLayerMenuContentReady();
    }

    function show() {
        if (contentItem)
            contentItem.opacity = 1.0;
    }

    function discardLayer() {
        if (foregroundLayer)
            foregroundLayer.destroy();
        foregroundLayer = null;
    }

    function teardown(reason) {
        incubator = null;
        var item = contentItem;
        contentItem = null;
        if (item) {
            item.opacity = 0;
            item.aboutToClose(reason);
        }
        var hadLayer = foregroundLayer !== null;
        discardLayer();
        if (item)
            foregroundLayerMenuContentDestroyed();
        return hadLayer;
    }

    Connections {
        target: menu.context
        ignoreUnknownSignals: true
        function onMenuOpened() { menu.build(); }
        function onMenuClosed(reason) { menu.teardown(reason); }
    }

    Connections {
        target: menu.foregroundLayer
        function onResized() {
            if (menu.closeOnWindowResize)
                menu.closeContext("onWindowResized");
        }
        function onClose() { menu.closeContext("close"); }
        function onDelayedClose() {
            if (menu.context && typeof menu.context.delayedClose === "function")
                menu.context.delayedClose();
        }
        function onCloseWithReason(reason) {
            if (reason === "onEscapePressed" && !menu.closeWindowOnEscape)
                return;
            menu.closeContext(reason);
        }
    }

    Component.onDestruction: teardown("destroyed")
}
