import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/ComboBox"
import "qrc:/Libs/orbQuick/Controls/ComboBox/Basic"

ORBMainWindow {
    id: root

    QObjTranslator { id: choice; editable: true; numEntries: 3; index: 1 }
    QObjProperty { id: choiceProp; translator: choice }

    ORBComboBox {
        id: combo
        x: 40; y: 40; width: 150; height: 24
        prop: choiceProp
        ORBComboBoxMenu { id: comboMenu; model: ["Deck A", "Deck B", "Deck C"] }
    }

    ListModel {
        id: longModel
        Component.onCompleted: {
            for (var i = 0; i < 50; ++i)
                append({ display: "Track " + i });
        }
    }
    ORBComboBox {
        id: longCombo
        x: 300; y: 40; width: 120; height: 24
        ORBComboBoxMenu { id: longMenu; model: longModel; closeOnSelected: false }
    }

    ORBComboBox {
        id: headerCombo
        x: 500; y: 40; width: 100; height: 24
        ORBBasicComboBoxMenu {
            id: headerMenu
            foregroundHeaderDelegate: Component { Rectangle { height: 24; color: "black" } }
            foregroundDelegate: Component { Rectangle { implicitHeight: 50; color: "white" } }
        }
    }

    ORBComboBox { id: unboundCombo; x: 700; y: 40; width: 100; height: 24 }

    Component {
        id: temporaryCombo
        ORBComboBox {
            x: 40; y: 300; width: 100; height: 24
            ORBComboBoxMenu { model: ["x", "y"] }
        }
    }

    SignalSpy { id: indexSpy; target: combo; signalName: "currentIndexChanged" }
    SignalSpy { id: openedSpy; target: combo; signalName: "comboBoxOpened" }
    SignalSpy { id: closedSpy; target: combo; signalName: "menuClosed" }

    TestCase {
        name: "ComboBox"
        when: windowShown

        function layerCount() { return root.foreground.children.length; }

        function init() {
            choice.index = 1;
            indexSpy.clear();
            openedSpy.clear();
            closedSpy.clear();
        }

        function cleanup() {
            combo.close("cleanup");
            longCombo.close("cleanup");
            headerCombo.close("cleanup");
            tryVerify(function() { return layerCount() === 0; }, 2000);
        }

        // The list, once it has made its rows.
        function openedList() {
            compare(openedSpy.count, 1);
            var list = openedSpy.signalArguments[0][0];
            tryVerify(function() { return list.itemAtIndex(Math.min(2, list.count - 1)) !== null; }, 1000);
            return list;
        }

        function test_opensOnLeftClickOnly() {
            compare(combo.objectName, "ORBComboBox");
            verify(combo.preventStealing);
            mouseClick(combo, 10, 10, Qt.RightButton);
            verify(!combo.opened);
            compare(layerCount(), 0);
            mouseClick(combo, 10, 10, Qt.LeftButton);
            verify(combo.opened);
            compare(layerCount(), 1);
            var list = openedList();
            verify(list.activeFocus);
            compare(list.count, 3);
            compare(list.currentIndex, 1);
        }

        function test_menuGeometry() {
            mouseClick(combo, 10, 10);
            var frame = comboMenu.contentItem;
            compare(frame.width, 150);
            compare(frame.height, 60);
            // Below the combo box.
            compare(frame.x, 40);
            compare(frame.y, 40 + 24);
            compare(comboMenu.itemCount, 3);
        }

        function test_clickingARowSelectsIt() {
            mouseClick(combo, 10, 10);
            var list = openedList();
            var row = list.itemAtIndex(2);
            verify(row !== null);
            compare(row.height, 20);
            mouseClick(row, 30, 10);
            compare(indexSpy.count, 1);
            compare(indexSpy.signalArguments[0][0], 2);
            verify(!combo.opened);
            compare(closedSpy.signalArguments[0][0], "selected");
            tryVerify(function() { return layerCount() === 0; }, 2000);
        }

        function test_keysMoveAndSelect() {
            mouseClick(combo, 10, 10);
            var list = openedList();
            keyClick(Qt.Key_Up);
            compare(list.currentIndex, 0);
            keyClick(Qt.Key_Down);
            keyClick(Qt.Key_Down);
            compare(list.currentIndex, 2);
            keyClick(Qt.Key_Return);
            compare(indexSpy.count, 1);
            compare(indexSpy.signalArguments[0][0], 2);
            verify(!combo.opened);
        }

        function test_escapeClosesTheList() {
            mouseClick(combo, 10, 10);
            keyClick(Qt.Key_Escape);
            verify(!combo.opened);
            compare(closedSpy.signalArguments[0][0], "onEscapePressed");
            compare(indexSpy.count, 0);
        }

        function test_hoveredAndCurrentRows() {
            mouseClick(combo, 10, 10);
            var list = openedList();
            var current = list.itemAtIndex(1);
            var other = list.itemAtIndex(0);
            verify(current.current);
            verify(!other.current);
            mouseMove(other, 30, 10);
            verify(other.hovered);
            tryVerify(function() { return other.children[1].x === 7; }, 1000);
            verify(other.children[1].font.bold === false);
            verify(current.children[1].font.bold === true);
            compare(current.children[0].color, "#bbbbbb");
        }

        function test_longListIsCappedAndScrolls() {
            mouseClick(longCombo, 10, 10);
            var frame = longMenu.contentItem;
            tryCompare(frame, "height", 400);
            // 24 + 400 pixels from y 40 fit in the 800-pixel window.
            compare(frame.y, 64);
            var list = frame.list;
            tryCompare(list, "contentHeight", 1000);
            // The scroll bar is the fourth part of the frame.
            var bar = frame.children[4].item;
            verify(bar !== null);
            compare(bar.delegate, list);
            compare(bar.width, 10);
            verify(bar.visible);
            compare(bar.handleSize, Math.max(20, 0.4 * (400 - 2)));
            mouseWheel(bar, 5, 200, 0, -120);
            compare(list.contentY, 120);
            // Selecting keeps the list open when asked.
            var row = list.itemAtIndex(7);
            mouseClick(row, 30, 10);
            verify(longCombo.opened);
        }

        function test_headerPutsTheListOverTheComboBox() {
            mouseClick(headerCombo, 10, 10);
            var frame = headerMenu.contentItem;
            compare(frame.width, 100);
            compare(frame.height, 74);
            compare(frame.x, 500);
            compare(frame.y, 40);
        }

        function test_repositionedWhenTheHeightChanges() {
            mouseClick(longCombo, 10, 10);
            var frame = longMenu.contentItem;
            longCombo.y = 700;
            longMenu.foregroundDelegateMaximumHeight = 300;
            compare(frame.height, 300);
            compare(frame.y, 800 - 300);
            longCombo.y = 40;
            longMenu.foregroundDelegateMaximumHeight = 400;
        }

        function test_destroyedWhileOpen() {
            var box = temporaryCombo.createObject(root);
            mouseClick(box, 10, 10);
            verify(box.opened);
            compare(layerCount(), 1);
            box.destroy();
            tryVerify(function() { return layerCount() === 0; }, 2000);
        }

        function test_windowResizeClosesTheList() {
            mouseClick(combo, 10, 10);
            verify(combo.opened);
            root.height = 700;
            verify(!combo.opened);
            compare(closedSpy.signalArguments[0][0], "onWindowResized");
            root.height = 800;
            tryVerify(function() { return layerCount() === 0; }, 2000);
        }

        function test_unboundComboBoxWithoutMenu() {
            mouseClick(unboundCombo, 10, 10);
            verify(unboundCombo.opened);
            compare(layerCount(), 0);
            unboundCombo.close("test");
        }
    }
}
