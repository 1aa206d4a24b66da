import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/Buttons"

ORBMainWindow {
    id: root

    QObjTranslator { id: main }
    QObjProperty { id: mainProp; translator: main; translatorType: 1 }
    QObjTranslator { id: shifted }
    QObjProperty { id: shiftedProp; translator: shifted; translatorType: 1 }
    QObjTranslator { id: alt }
    QObjProperty { id: altedProp; translator: alt; translatorType: 1 }

    ORBToggleButton { id: toggle; x: 10; y: 10; width: 40; height: 40; prop: mainProp; shiftProp: shiftedProp; altProp: altedProp }
    ORBHoldButton { id: hold; x: 60; y: 10; width: 40; height: 40; prop: mainProp }
    ORBAutoButton { id: auto; x: 110; y: 10; width: 40; height: 40; prop: mainProp }
    ORBCycleButton { id: cycle; x: 160; y: 10; width: 40; height: 40; prop: mainProp }
    ORBStringListButton { id: entry; x: 210; y: 10; width: 40; height: 40; prop: mainProp; index: 2 }
    ORBButton { id: unbound; x: 260; y: 10; width: 40; height: 40 }

    SignalSpy { id: states; target: toggle; signalName: "buttonStateChanged" }

    TestCase {
        name: "Buttons"
        when: windowShown

        function init() {
            mouseMove(root, 600, 600);
            main.editable = true;
            main.state = false;
            main.value = 0;
            main.numEntries = 4;
            main.index = 0;
            shifted.state = false;
            alt.state = false;
            mainProp.translatorType = 1;
            toggle.keepButtonStateWhenDisabled = false;
            states.clear();
        }

        function lastState() { return states.signalArguments[states.count - 1] }

        function test_stateTable() {
            toggle.updateButtonState();
            compare(lastState()[0], "Up");
            main.state = true;
            compare(lastState()[0], "Down");
            mouseMove(toggle, 20, 20);
            compare(lastState()[0], "HoverOnDown");
            main.state = false;
            compare(lastState()[0], "HoverOnUp");
            main.editable = false;
            compare(lastState()[0], "Inactive");
            compare(lastState()[1], false);
            toggle.keepButtonStateWhenDisabled = true;
            compare(lastState()[0], "Up");
            compare(lastState()[1], true);
        }

        function test_pressedWithoutHoverIsDown() {
            mousePress(toggle, 20, 20);
            mouseMove(root, 600, 600);
            toggle.updateButtonState();
            compare(lastState()[0], "Down");
            mouseRelease(root, 600, 600);
        }

        function test_toggleOnClickPicksByModifier() {
            mouseClick(toggle, 20, 20);
            compare(main.state, true);
            mouseClick(toggle, 20, 20, Qt.LeftButton, Qt.ShiftModifier);
            compare(shifted.state, true);
            compare(main.state, true);
            mouseClick(toggle, 20, 20, Qt.LeftButton, Qt.AltModifier);
            compare(alt.state, true);
            mouseClick(toggle, 20, 20, Qt.LeftButton, Qt.ShiftModifier | Qt.AltModifier);
            compare(main.state, false);
        }

        function test_toggleOnPressed() {
            toggle.toggleOnPressed = true;
            mousePress(toggle, 20, 20);
            compare(main.state, true);
            mouseRelease(toggle, 20, 20);
            compare(main.state, true);
            toggle.toggleOnPressed = false;
        }

        function test_holdButton() {
            mousePress(hold, 20, 20);
            compare(main.state, true);
            mouseRelease(hold, 20, 20);
            compare(main.state, false);
        }

        function test_autoButtonByType() {
            mainProp.translatorType = 10;
            mousePress(auto, 20, 20);
            compare(main.value, 1.0);
            mouseRelease(auto, 20, 20);
            compare(main.value, 0.0);
            mainProp.translatorType = 2;
            mousePress(auto, 20, 20);
            compare(main.state, true);
            mouseRelease(auto, 20, 20);
            compare(main.state, false);
            mainProp.translatorType = 3;
            mouseClick(auto, 20, 20);
            compare(main.state, true);
            mainProp.translatorType = 1;
            mouseClick(auto, 20, 20);
            compare(main.state, false);
            mainProp.translatorType = 7;
            ignoreWarning("ORBAutoButton does not yet support type 7");
            mouseClick(auto, 20, 20);
            compare(main.state, false);
        }

        function test_cycleWraps() {
            main.index = 3;
            mouseClick(cycle, 20, 20);
            compare(main.index, 0);
            mouseClick(cycle, 20, 20, Qt.RightButton);
            compare(main.index, 3);
            mouseClick(cycle, 20, 20, Qt.RightButton);
            compare(main.index, 2);
            main.numEntries = 0;
            mouseClick(cycle, 20, 20);
            compare(main.index, 0);
        }

        function test_stringListEntry() {
            verify(!entry.buttonActive);
            mouseClick(entry, 20, 20);
            compare(main.index, 2);
            verify(entry.buttonActive);
        }

        function test_unboundButton() {
            compare(unbound.enabled, false);
            compare(unbound.buttonActive, false);
            compare(unbound.flashing, false);
        }
    }
}
