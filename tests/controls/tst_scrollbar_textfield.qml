import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/ScrollBar"
import "qrc:/Libs/orbQuick/Controls/TextInputField"

ORBMainWindow {
    id: root

    Flickable {
        id: flick
        x: 10; y: 10; width: 200; height: 100
        contentWidth: 200
        contentHeight: 1000
        clip: true
        Rectangle { width: 200; height: 1000; color: "teal" }
    }
    ORBScrollBar {
        id: bar
        x: 210; y: 10; width: 10; height: 100
        delegate: flick
        ORBScrollBarHandleLayer { id: handleLayer; content: Component { Rectangle { color: "gray" } } }
    }

    Flickable {
        id: wide
        x: 10; y: 150; width: 100; height: 50
        contentWidth: 400
        contentHeight: 50
    }
    ORBScrollBar {
        id: horizontalBar
        x: 10; y: 200; width: 100; height: 8
        orientation: Qt.Horizontal
        delegate: wide
    }

    Flickable { id: shortFlick; x: 300; y: 10; width: 100; height: 100; contentHeight: 50 }
    ORBScrollBar { id: hiddenBar; x: 400; y: 10; width: 10; height: 100; delegate: shortFlick }
    ORBScrollBar { id: unboundBar; x: 420; y: 10; width: 10; height: 100 }

    QObjTranslator { id: name; editable: true; string: "hello"; minimum: 0; maximum: 100; value: 0.5 }
    QObjProperty { id: nameProp; translator: name }
    SignalSpy { id: rejectedSpy; target: field; signalName: "rejected" }
    SignalSpy { id: clickedSpy; target: doubleClickField; signalName: "clicked" }

    ORBTextInputField { id: field; x: 10; y: 300; width: 200; height: 20; prop: nameProp }
    ORBTextInputField { id: doubleClickField; x: 10; y: 330; width: 200; height: 20; prop: nameProp; gainFocusOnDoubleClick: true; selectAllOnActiveFocus: true }
    ORBTextInputField { id: stepField; x: 10; y: 360; width: 200; height: 20; prop: nameProp; gainFocusOnDoubleClick: true; stepwiseAlterationByInteraction: true }
    ORBTextInputField { id: unboundField; x: 10; y: 390; width: 200; height: 20 }

    TestCase {
        name: "ScrollBarAndTextField"
        when: windowShown

        function init() {
            flick.contentY = 0;
            wide.contentX = 0;
            name.string = "hello";
            name.editable = true;
            name.value = 0.5;
            field.allowEmptyString = true;
            field.updateImmediately = false;
            rejectedSpy.clear();
            clickedSpy.clear();
            root.forceActiveFocus();
        }

        function cleanup() {
            // A failed drag check must not leave the pointer grabbed.
            if (bar.handle.children[0].pressed)
                mouseRelease(bar, 5, 50);
        }

        // Geometry: ratio 0.1, handle max(20, 9.8) = 20, drag space 100 - 20 - 2 = 78.
        function test_geometry() {
            verify(bar.visible);
            compare(bar.handleSize, 20);
            compare(bar.dragSpace, 78);
            compare(bar.handle.y, 1);
            compare(bar.handle.height, 20);
            compare(handleLayer.y, bar.handle.y);
            compare(handleLayer.height, 20);
            compare(handleLayer.width, 8);
            flick.contentY = 900;
            compare(bar.handle.y, 79);
            compare(handleLayer.y, 79);
            flick.contentY = 450;
            compare(bar.handle.y, 40);
        }

        function test_visibleOnlyWhileTheContentIsLonger() {
            verify(!hiddenBar.visible);
            verify(!unboundBar.visible);
            shortFlick.contentHeight = 300;
            verify(hiddenBar.visible);
            shortFlick.contentHeight = 50;
            verify(!hiddenBar.visible);
        }

        function test_clickJumpsAndSnaps() {
            mouseClick(bar, 5, 50);
            // Handle centre under the mouse: (50 - 10 - 1) / 78 of 900.
            compare(flick.contentY, 450);
            compare(bar.handle.y + bar.handle.height / 2, 50);
            mouseClick(bar, 5, 95);
            compare(flick.contentY, 900);
            mouseClick(bar, 5, 30);
            fuzzyCompare(flick.contentY, (30 - 11) / 78 * 900, 0.001);
            mouseClick(bar, 5, 8);
            compare(flick.contentY, 0);
            // Just outside the snapping zone at the start.
            mouseClick(bar, 5, 11);
            compare(flick.contentY, 0);
            mouseClick(bar, 5, 89);
            fuzzyCompare(flick.contentY, (89 - 11) / 78 * 900, 0.001);
        }

        function test_wheelScrollsAndStopsAtTheEnds() {
            mouseWheel(bar, 5, 50, 0, -120);
            compare(flick.contentY, 120);
            mouseWheel(bar, 5, 50, 0, 240);
            compare(flick.contentY, 0);
            flick.contentY = 850;
            mouseWheel(bar, 5, 50, 0, -120);
            compare(flick.contentY, 900);
        }

        function test_draggingTheHandle() {
            // Bar coordinates: the handle moves under the pointer.
            mousePress(bar, 5, 11);
            // The first movement starts the drag; from then on the handle follows the pointer.
            mouseMove(bar, 5, 13, -1, Qt.LeftButton);
            mouseMove(bar, 5, 15, -1, Qt.LeftButton);
            verify(bar.dragging);
            var start = bar.handle.y;
            mouseMove(bar, 5, 35, -1, Qt.LeftButton);
            mouseMove(bar, 5, 54, -1, Qt.LeftButton);
            compare(bar.handle.y, start + 39);
            fuzzyCompare(flick.contentY, (bar.handle.y - 1) / 78 * 900, 0.001);
            verify(flick.contentY > 0);
            mouseMove(bar, 5, 150, -1, Qt.LeftButton);
            compare(bar.handle.y, 79);
            compare(flick.contentY, 900);
            mouseMove(bar, 5, 50, -1, Qt.LeftButton);
            mouseRelease(bar, 5, 50);
            verify(!bar.dragging);
            fuzzyCompare(flick.contentY, (bar.handle.y - 1) / 78 * 900, 0.001);
            flick.contentY = 0;
            compare(bar.handle.y, 1);
        }

        function test_horizontalBar() {
            verify(horizontalBar.visible);
            compare(horizontalBar.handleSize, 24.5);
            compare(horizontalBar.handle.y, 1);
            mouseClick(horizontalBar, 95, 4);
            compare(wide.contentX, 300);
            mouseWheel(horizontalBar, 50, 4, 0, 120);
            compare(wide.contentX, 180);
        }

        function test_enterStoresAndDropsFocus() {
            field.forceActiveFocus();
            verify(field.activeFocus);
            field.selectAll();
            keyClick(Qt.Key_W);
            keyClick(Qt.Key_O);
            compare(field.text, "wo");
            compare(name.string, "hello");
            keyClick(Qt.Key_Return);
            compare(name.string, "wo");
            verify(!field.activeFocus);
            // The text follows the host again.
            name.string = "again";
            compare(field.text, "again");
        }

        function test_escapeRestoresAndRejects() {
            field.forceActiveFocus();
            field.selectAll();
            keyClick(Qt.Key_X);
            compare(field.text, "x");
            keyClick(Qt.Key_Escape);
            compare(rejectedSpy.count, 1);
            compare(field.text, "hello");
            compare(name.string, "hello");
            verify(!field.activeFocus);
        }

        function test_emptyString() {
            field.allowEmptyString = false;
            field.forceActiveFocus();
            field.selectAll();
            keyClick(Qt.Key_Delete);
            compare(field.text, "");
            keyClick(Qt.Key_Enter);
            compare(name.string, "hello");
            compare(field.text, "hello");

            field.allowEmptyString = true;
            field.forceActiveFocus();
            field.selectAll();
            keyClick(Qt.Key_Delete);
            keyClick(Qt.Key_Enter);
            compare(name.string, "");
            compare(field.text, "");
        }

        function test_leavingStores() {
            field.forceActiveFocus();
            field.selectAll();
            keyClick(Qt.Key_Z);
            root.forceActiveFocus();
            compare(name.string, "z");
        }

        function test_updateImmediately() {
            field.updateImmediately = true;
            field.forceActiveFocus();
            field.selectAll();
            keyClick(Qt.Key_Q);
            compare(name.string, "q");
            keyClick(Qt.Key_Escape);
        }

        function test_enabledFollowsTheHost() {
            verify(field.enabled);
            name.editable = false;
            verify(!field.enabled);
            verify(unboundField.enabled);
            compare(unboundField.text, "");
        }

        function test_doubleClickGivesFocusAndSelectsAll() {
            mouseClick(doubleClickField, 20, 10);
            verify(!doubleClickField.activeFocus);
            compare(clickedSpy.count, 1);
            mouseDoubleClickSequence(doubleClickField, 20, 10);
            verify(doubleClickField.activeFocus);
            compare(doubleClickField.selectedText, "hello");
            keyClick(Qt.Key_Escape);
            verify(!doubleClickField.activeFocus);
        }

        function test_stepwiseWheel() {
            compare(name.unnormalized, 50);
            mouseWheel(stepField, 20, 10, 0, 120);
            compare(name.unnormalized, 51);
            mouseWheel(stepField, 20, 10, 0, -240);
            compare(name.unnormalized, 50);
            // A plain field lets the wheel through.
            mouseWheel(field, 20, 10, 0, 120);
            compare(name.unnormalized, 50);
        }
    }
}
