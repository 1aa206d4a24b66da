import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/Slider"
import "qrc:/Libs/orbQuick/Controls/Switch"

ORBMainWindow {
    id: root

    QObjTranslator { id: sliderTranslator; editable: true; value: 0.5; string: "half" }
    QObjProperty { id: sliderProp; translator: sliderTranslator }
    SignalSpy { id: calls; target: sliderTranslator; signalName: "called" }
    ORBSlider { id: vertical; x: 10; y: 10; width: 20; height: 200; prop: sliderProp }
    ORBSlider { id: horizontal; x: 50; y: 10; width: 200; height: 20; prop: sliderProp }

    QObjTranslator { id: switchTranslator; editable: true; numEntries: 3 }
    QObjProperty { id: switchProp; translator: switchTranslator }
    ORBSwitch { id: threeWay; x: 10; y: 300; width: 300; height: 30; prop: switchProp }
    ORBSwitch { id: unboundSwitch; x: 10; y: 350; width: 300; height: 30 }

    QtObject { id: oddTranslator; property var index: NaN; property var numEntries: -2 }
    QObjProperty { id: oddProp; translator: oddTranslator }
    ORBSwitch { id: oddSwitch; x: 10; y: 400; width: 300; height: 30; prop: oddProp }

    TestCase {
        name: "SliderAndSwitch"
        when: windowShown

        function init() {
            calls.clear();
            vertical.inverted = false;
            vertical.ignoreMouseAcceleration = false;
            vertical.canReset = true;
            sliderTranslator.grid = 0;
            sliderTranslator.minimum = 0;
            sliderTranslator.maximum = 0;
            sliderTranslator.value = 0.5;
            threeWay.inverse = false;
            threeWay.updateImmediately = true;
            switchTranslator.numEntries = 3;
            switchTranslator.index = 0;
        }

        function call(index) { return calls.signalArguments[index] }

        function test_verticalWheelSteps() {
            mouseWheel(vertical, 10, 100, 0, 240);
            compare(call(0)[0], "incValue");
            fuzzyCompare(call(0)[1][0], 0.02, 1e-9);
            mouseWheel(vertical, 10, 100, 0, 240, Qt.NoButton, Qt.ControlModifier);
            compare(call(1)[0], "incValue");
            fuzzyCompare(call(1)[1][0], 0.001, 1e-9);
            vertical.ignoreMouseAcceleration = true;
            mouseWheel(vertical, 10, 100, 0, -240);
            compare(call(2)[0], "decValue");
            fuzzyCompare(call(2)[1][0], 0.01, 1e-9);
            compare(call(2)[1][1], 0.0);
            compare(call(2)[1][2], 1.0);
        }

        function test_gridStepIsScaledUnlessFine() {
            sliderTranslator.grid = 0.25;
            sliderTranslator.maximum = 1;
            mouseWheel(vertical, 10, 100, 0, 240);
            fuzzyCompare(call(0)[1][0], 0.5, 1e-9);
            compare(call(0)[1][4], true);
            mouseWheel(vertical, 10, 100, 0, 240, Qt.NoButton, Qt.ControlModifier);
            fuzzyCompare(call(1)[1][0], 0.25, 1e-9);
        }

        function test_horizontalWheelIsNegated() {
            verify(horizontal.horizontal);
            compare(horizontal.dragAxis, ORBMouseArea.XAxis);
            mouseWheel(horizontal, 100, 10, 0, 120);
            compare(calls.count, 1);
            compare(call(0)[0], "decValue");
        }

        function test_invertedValueAndDirection() {
            vertical.inverted = true;
            fuzzyCompare(vertical.value, 0.5, 1e-9);
            sliderTranslator.value = 0.2;
            fuzzyCompare(vertical.value, 0.8, 1e-9);
            mouseWheel(vertical, 10, 100, 0, 120);
            compare(call(0)[0], "decValue");
        }

        function test_resetOnlyWhenAllowed() {
            vertical.canReset = false;
            mouseDoubleClickSequence(vertical, 10, 100);
            compare(calls.count, 0);
            vertical.canReset = true;
            mouseDoubleClickSequence(vertical, 10, 100);
            compare(calls.count, 1);
            compare(call(0)[0], "setValueToDefault");
        }

        function test_stringValue() {
            compare(vertical.stringValue, "half");
        }

        function test_switchSectionUnderTheMouse() {
            compare(threeWay.sections, 3);
            mouseClick(threeWay, 250, 15);
            compare(switchTranslator.index, 2);
            mouseClick(threeWay, 150, 15);
            compare(switchTranslator.index, 1);
        }

        function test_inverseSwitchAtTenPercent() {
            threeWay.inverse = true;
            mouseClick(threeWay, 30, 15);
            compare(threeWay.currentSection, 2);
            compare(switchTranslator.index, 2);
        }

        function test_delayedSwitchWritesOnRelease() {
            threeWay.updateImmediately = false;
            mousePress(threeWay, 250, 15);
            mouseMove(threeWay, 260, 15);
            compare(switchTranslator.index, 0);
            mouseRelease(threeWay, 260, 15);
            compare(switchTranslator.index, 2);
        }

        function test_switchFollowsTheIndex() {
            switchTranslator.index = 1;
            compare(threeWay.currentSection, 1);
        }

        function test_unboundAndOddSwitches() {
            compare(unboundSwitch.sections, 1);
            compare(unboundSwitch.enabled, false);
            compare(unboundSwitch.currentSection, 0);
            compare(oddSwitch.sections, 1);
            compare(oddSwitch.currentSection, 0);
            verify(isNaN(oddTranslator.index));
        }
    }
}
