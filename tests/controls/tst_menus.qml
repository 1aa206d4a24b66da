import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/Context"
import "qrc:/Libs/orbQuick/Controls/Foreground"

ORBMainWindow {
    id: root

    Component {
        id: menuContent
        ORBForegroundLayerMenuContent {
            width: 200
            height: 120
            Rectangle { anchors.fill: parent; color: "#333" }
        }
    }

    ORBContext {
        id: leftEdge
        x: 20; y: 20; width: 60; height: 30
        ORBForegroundLayerMenu { id: leftMenu; content: menuContent }
    }
    ORBContext {
        id: rightEdge
        x: root.width - 70; y: root.height - 40; width: 60; height: 30
        ORBForegroundLayerMenu { id: rightMenu; content: menuContent; menuOrigin: Qt.point(20, 20) }
    }
    ORBContext {
        id: centred
        x: 300; y: 300; width: 100; height: 40
        ORBContextMenu { id: contextMenu; content: menuContent; contentScaleFactor: 0.5 }
    }
    ORBContext {
        id: leftClick
        x: 20; y: 100; width: 60; height: 30
        openMode: modes.leftButtonClick
    }
    ORBContext {
        id: doubleClick
        x: 100; y: 100; width: 60; height: 30
        openMode: modes.leftButtonDoubleClick
    }
    ORBContext {
        id: noContent
        x: 180; y: 100; width: 60; height: 30
        ORBForegroundLayerMenu { id: emptyMenu }
    }
    ORBContext {
        id: broken
        x: 260; y: 100; width: 60; height: 30
        ORBForegroundLayerMenu { id: brokenMenu; content: Qt.createComponent(Qt.resolvedUrl("data/BrokenMenuContent.qml")) }
    }
    ORBContext {
        id: disabledMenuContext
        x: 340; y: 100; width: 60; height: 30
        ORBForegroundLayerMenu { id: disabledMenu; content: menuContent; enabled: false }
    }

    Component {
        id: contextWithMenu
        ORBContext {
            x: 500; y: 500; width: 60; height: 30
            property alias menu: ownMenu
            ORBContextMenu { id: ownMenu; content: menuContent }
        }
    }

    Component {
        id: plainLayerChild
        Rectangle { width: 10; height: 10; focus: true }
    }
    Component {
        id: onTopLayerChild
        Rectangle { width: 10; height: 10; property bool alwaysOnTop: true }
    }

    SignalSpy { id: closedSpy; signalName: "menuClosed" }
    SignalSpy { id: openedSpy; signalName: "menuOpened" }
    SignalSpy { id: readySpy; signalName: "foregroundLayerMenuContentReady" }
    SignalSpy { id: goneSpy; signalName: "foregroundLayerMenuContentDestroyed" }

    TestCase {
        name: "Menus"
        when: windowShown

        function layerCount() { return root.foreground.children.length; }

        function waitForNoLayer() {
            tryVerify(function() { return layerCount() === 0; }, 2000);
        }

        function init() {
            closedSpy.clear();
            openedSpy.clear();
            readySpy.clear();
            goneSpy.clear();
            compare(layerCount(), 0);
        }

        function cleanup() {
            var all = [leftEdge, rightEdge, centred, leftClick, doubleClick, noContent, broken, disabledMenuContext];
            for (var i = 0; i < all.length; ++i)
                all[i].close("cleanup");
            leftMenu.closeWindowOnEscape = true;
            leftMenu.closeOnWindowResize = true;
            leftMenu.modal = false;
            root.width = 1280;
            root.height = 800;
            var stray = root.foreground.children;
            for (var j = 0; j < stray.length; ++j)
                stray[j].destroy();
            waitForNoLayer();
        }

        function test_rightClickOpensWithContentInALayer() {
            openedSpy.target = leftEdge;
            readySpy.target = leftMenu;
            mouseClick(leftEdge, 10, 10, Qt.RightButton);
            compare(openedSpy.count, 1);
            compare(readySpy.count, 1);
            verify(leftEdge.opened);
            compare(leftEdge.pressedPos, Qt.point(10, 10));
            compare(layerCount(), 1);
            verify(leftMenu.foregroundLayer !== null);
            compare(leftMenu.contentItem.parent, leftMenu.foregroundLayer);
            compare(leftMenu.contentItem.opacity, 1.0);
            compare(leftMenu.width, 200);
            compare(leftMenu.height, 120);
            // The origin is the menu's own position, which is the context's corner.
            compare(leftMenu.contentItem.x, 20);
            compare(leftMenu.contentItem.y, 20);
            verify(leftMenu.contentItem.activeFocus);
        }

        function test_menuAtTheRightEdgeEndsThere() {
            mouseClick(rightEdge, 10, 10, Qt.RightButton);
            verify(rightEdge.opened);
            var item = rightMenu.contentItem;
            verify(item !== null);
            compare(item.x + item.width, rightMenu.foregroundLayer.width);
            compare(item.y + item.height, rightMenu.foregroundLayer.height);
            compare(item.x, 1280 - 200);
            compare(item.y, 800 - 120);
        }

        function test_scaledMenuIsCentredAndClamped() {
            mouseClick(centred, 10, 10, Qt.RightButton);
            var item = contextMenu.contentItem;
            compare(item.scale, 0.5);
            compare(contextMenu.width, 100);
            compare(contextMenu.height, 60);
            // Centred over the 100 x 40 context at (300, 300), 2 pixels up.
            compare(item.x, 300);
            compare(item.y, 300 + 20 - 30 - 2);
            contextMenu.contentScaleFactor = 1.0;
            compare(item.scale, 1.0);
        }

        function test_escapeClosesWithItsReason() {
            closedSpy.target = leftEdge;
            goneSpy.target = leftMenu;
            mouseClick(leftEdge, 10, 10, Qt.RightButton);
            var item = leftMenu.contentItem;
            var aboutToClose = createTemporaryObject(signalSpyComponent, root, { target: item, signalName: "aboutToClose" });
            keyClick(Qt.Key_Escape);
            compare(closedSpy.count, 1);
            compare(closedSpy.signalArguments[0][0], "onEscapePressed");
            compare(aboutToClose.count, 1);
            compare(aboutToClose.signalArguments[0][0], "onEscapePressed");
            compare(goneSpy.count, 1);
            verify(!leftEdge.opened);
            compare(leftMenu.foregroundLayer, null);
            waitForNoLayer();
        }

        function test_escapeKeepsTheMenuWhenAsked() {
            leftMenu.closeWindowOnEscape = false;
            closedSpy.target = leftEdge;
            mouseClick(leftEdge, 10, 10, Qt.RightButton);
            keyClick(Qt.Key_Escape);
            wait(50);
            compare(closedSpy.count, 0);
            verify(leftEdge.opened);
            compare(layerCount(), 1);
        }

        function test_pressOutsideClosesAndDestroysTheLayer() {
            closedSpy.target = leftEdge;
            mouseClick(leftEdge, 10, 10, Qt.RightButton);
            var layer = leftMenu.foregroundLayer;
            verify(layer !== null);
            mouseClick(root, 900, 500, Qt.LeftButton);
            compare(closedSpy.count, 1);
            compare(closedSpy.signalArguments[0][0], "close");
            waitForNoLayer();
        }

        function test_modalLayerKeepsTheMenuOnOutsidePress() {
            leftMenu.modal = true;
            mouseClick(leftEdge, 10, 10, Qt.RightButton);
            compare(leftMenu.foregroundLayer.modal, true);
            mouseClick(root, 900, 500, Qt.LeftButton);
            verify(leftEdge.opened);
            compare(layerCount(), 1);
        }

        function test_contentRequestsReachTheContext() {
            closedSpy.target = leftEdge;
            mouseClick(leftEdge, 10, 10, Qt.RightButton);
            leftMenu.contentItem.closeWithReason("picked");
            compare(closedSpy.count, 1);
            compare(closedSpy.signalArguments[0][0], "picked");
            waitForNoLayer();

            mouseClick(leftEdge, 10, 10, Qt.RightButton);
            leftMenu.contentItem.delayedClose();
            verify(leftEdge.opened);
            tryCompare(leftEdge, "opened", false, 1000);
            compare(closedSpy.signalArguments[1][0], "delayedClose");
            waitForNoLayer();
        }

        function test_clickingTheContextAgainClosesIt() {
            closedSpy.target = leftClick;
            mouseClick(leftClick, 10, 10);
            verify(leftClick.opened);
            mouseClick(leftClick, 10, 10);
            verify(!leftClick.opened);
            compare(closedSpy.signalArguments[0][0], "toggled");
        }

        function test_openModes() {
            compare(leftClick.modes.leftButtonClick, 0x01);
            compare(leftClick.modes.rightButtonClick, 0x02);
            compare(leftClick.modes.leftButtonDoubleClick, 0x04);
            compare(leftEdge.openMode, 0x02);

            mouseClick(leftEdge, 10, 10, Qt.LeftButton);
            verify(!leftEdge.opened);

            mouseClick(leftClick, 10, 10, Qt.RightButton);
            verify(!leftClick.opened);
            mouseClick(leftClick, 10, 10, Qt.LeftButton);
            verify(leftClick.opened);
            leftClick.close("test");

            mouseClick(doubleClick, 10, 10, Qt.LeftButton);
            verify(!doubleClick.opened);
            mouseDoubleClickSequence(doubleClick, 10, 10, Qt.LeftButton);
            verify(doubleClick.opened);
            doubleClick.close("test");

            // Both buttons.
            leftClick.openMode = leftClick.modes.leftButtonClick | leftClick.modes.rightButtonClick;
            mouseClick(leftClick, 10, 10, Qt.RightButton);
            verify(leftClick.opened);
            leftClick.close("test");
            leftClick.openMode = leftClick.modes.leftButtonClick;
        }

        function test_contextIsAlwaysEnabledAndActiveWhileOpen() {
            verify(leftEdge.enabled);
            verify(!leftEdge.buttonActive);
            leftEdge.open();
            verify(leftEdge.buttonActive);
            leftEdge.close("test");
            verify(!leftEdge.buttonActive);
        }

        function test_menuWithoutContent() {
            ignoreWarning("Please assign a proper content");
            noContent.open();
            verify(!noContent.opened);
            compare(layerCount(), 0);
        }

        function test_contentThatDoesNotCompile() {
            compare(brokenMenu.content.status, Component.Error);
            ignoreWarning(new RegExp("^ORBForegroundLayerMenu: the content cannot be created: .*BrokenMenuContent\\.qml.*noSuchProperty"));
            closedSpy.target = broken;
            broken.open();
            compare(closedSpy.count, 1);
            compare(closedSpy.signalArguments[0][0], "failed");
            verify(!broken.opened);
            compare(brokenMenu.foregroundLayer, null);
            wait(20);
            compare(layerCount(), 0);
        }

        function test_disabledMenuDoesNothing() {
            disabledMenuContext.open();
            verify(disabledMenuContext.opened);
            wait(20);
            compare(layerCount(), 0);
            compare(disabledMenu.foregroundLayer, null);
        }

        function test_contextDestroyedWhileItsMenuIsOpen() {
            var context = contextWithMenu.createObject(root);
            mouseClick(context, 10, 10, Qt.RightButton);
            verify(context.opened);
            compare(layerCount(), 1);
            var layer = context.menu.foregroundLayer;
            verify(layer !== null);
            context.destroy();
            waitForNoLayer();
        }

        function test_windowResizeClosesTheMenu() {
            closedSpy.target = leftEdge;
            mouseClick(leftEdge, 10, 10, Qt.RightButton);
            root.width = 1000;
            compare(closedSpy.count, 1);
            compare(closedSpy.signalArguments[0][0], "onWindowResized");
            waitForNoLayer();
        }

        function test_windowResizeKeepsTheMenuWhenAsked() {
            leftMenu.closeOnWindowResize = false;
            mouseClick(leftEdge, 10, 10, Qt.RightButton);
            root.width = 1000;
            root.height = 700;
            verify(leftEdge.opened);
            compare(leftMenu.foregroundLayer.width, 1000);
            compare(leftMenu.foregroundLayer.height, 700);
            compare(leftMenu.contentItem.x, 20);
        }

        function test_asynchronousMenu() {
            leftMenu.asynchronously = true;
            readySpy.target = leftMenu;
            mouseClick(leftEdge, 10, 10, Qt.RightButton);
            tryCompare(readySpy, "count", 1, 2000);
            compare(leftMenu.contentItem.opacity, 1.0);
            compare(layerCount(), 1);
            leftEdge.close("test");
            leftMenu.asynchronously = false;
            waitForNoLayer();
        }

        function test_foregroundStacking() {
            var first = root.openDialogComponent(plainLayerChild, false, undefined);
            var onTop = root.openDialogComponent(onTopLayerChild, false, undefined);
            var last = root.openDialogComponent(plainLayerChild, false, undefined);
            compare(layerCount(), 3);
            compare(first.z, 0);
            compare(onTop.z, 4);
            compare(last.z, 2);
            tryVerify(function() { return last.activeFocus; }, 1000);
            last.destroy();
            tryVerify(function() { return layerCount() === 2; }, 2000);
            tryVerify(function() { return onTop.activeFocus; }, 1000);
            compare(onTop.z, 3);
            first.destroy();
            onTop.destroy();
        }

        function test_openDialogErrorPath() {
            var result = root.openDialog(Qt.resolvedUrl("data/NoSuchDialog.qml"), false, undefined);
            compare(result, undefined);
            verify(root.createComponentErrorString.indexOf("NoSuchDialog.qml") >= 0);
            compare(layerCount(), 0);
            result = root.openDialog(Qt.resolvedUrl("data/BrokenMenuContent.qml"), false, undefined);
            compare(result, undefined);
            verify(root.createComponentErrorString.indexOf("noSuchProperty") >= 0);
            compare(layerCount(), 0);
        }

        Component {
            id: signalSpyComponent
            SignalSpy {}
        }
    }
}
