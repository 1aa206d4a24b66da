import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/Knobs"

ORBMainWindow {
    id: root

    QObjTranslator { id: knobTranslator; editable: true; value: 0.5; defaultValue: 0.25 }
    QObjProperty { id: knobProp; translator: knobTranslator }
    QObjTranslator { id: shiftTranslator }
    QObjProperty { id: shiftProperty; translator: shiftTranslator; translatorType: 1 }
    SignalSpy { id: calls; target: knobTranslator; signalName: "called" }

    ORBKnob { id: knob; x: 10; y: 10; width: 60; height: 60; prop: knobProp; shiftProp: shiftProperty }

    // A translator without the optional reset and with a NaN value.
    QtObject {
        id: bareTranslator
        property real value: NaN
        property bool editable: true
        property var log: []
        function incValue(step, upper, lower, wrap, useGrid) { log.push(["incValue", step]) }
        function decValue(step, lower, upper, wrap, useGrid) { log.push(["decValue", step]) }
    }
    QObjProperty { id: bareProp; translator: bareTranslator }
    ORBKnob { id: bareKnob; x: 100; y: 10; width: 60; height: 60; prop: bareProp }
    ORBKnob { id: unboundKnob; x: 200; y: 10; width: 60; height: 60 }

    TestCase {
        name: "Knob"
        when: windowShown

        function init() {
            calls.clear();
            knob.inverted = false;
            knob.steps = 0;
            knobTranslator.grid = 0;
            knobTranslator.minimum = 0;
            knobTranslator.maximum = 0;
            knobTranslator.value = 0.5;
            knobProp.translator = knobTranslator;
        }

        function expectCall(index, name, args) {
            var call = calls.signalArguments[index];
            compare(call[0], name);
            compare(call[1].length, args.length);
            for (var i = 0; i < args.length; ++i) {
                if (typeof args[i] === "number")
                    fuzzyCompare(call[1][i], args[i], 1e-9, name + " argument " + i);
                else
                    compare(call[1][i], args[i], name + " argument " + i);
            }
        }

        function test_wheelUpRaisesByOneResolutionStep() {
            mouseWheel(knob, 30, 30, 0, 120);
            compare(calls.count, 1);
            expectCall(0, "incValue", [0.01, 1.0, 0.0, false, false]);
            fuzzyCompare(knobTranslator.value, 0.51, 1e-9);
        }

        function test_wheelTwoNotchesDoublesTheStep() {
            mouseWheel(knob, 30, 30, 0, 240);
            expectCall(0, "incValue", [0.02, 1.0, 0.0, false, false]);
        }

        function test_controlWheelIsFine() {
            mouseWheel(knob, 30, 30, 0, 240, Qt.NoButton, Qt.ControlModifier);
            expectCall(0, "incValue", [0.01, 1.0, 0.0, false, false]);
        }

        function test_wheelDownLowers() {
            mouseWheel(knob, 30, 30, 0, -120);
            compare(calls.count, 1);
            expectCall(0, "decValue", [0.01, 0.0, 1.0, false, false]);
        }

        function test_gridStepsOnARange() {
            knobTranslator.grid = 0.1;
            knobTranslator.minimum = 0;
            knobTranslator.maximum = 1;
            verify(knob.useGrid);
            mouseWheel(knob, 30, 30, 0, 120);
            expectCall(0, "incValue", [0.1, 1.0, 0.0, false, true]);
            fuzzyCompare(knobTranslator.value, 0.6, 1e-9);
        }

        function test_noCallWhilePressedOrForHorizontalWheel() {
            mousePress(knob, 30, 30);
            mouseWheel(knob, 30, 30, 0, 120);
            mouseRelease(knob, 30, 30);
            mouseWheel(knob, 30, 30, 120, 0);
            compare(calls.count, 0);
        }

        function test_invertedFlipsDirectionAndSignal() {
            knob.inverted = true;
            var seen = [];
            var record = function(v) { seen.push(v) };
            knob.knobValueChanged.connect(record);
            mouseWheel(knob, 30, 30, 0, 120);
            knob.knobValueChanged.disconnect(record);
            expectCall(0, "decValue", [0.01, 0.0, 1.0, false, false]);
            compare(seen.length, 1);
            fuzzyCompare(seen[0], 1 - 0.49, 1e-9);
        }

        function test_stepModeCallsOncePerThreshold() {
            knob.steps = 4;
            // 5.0 is the threshold: four notches stay below it, six cross it once.
            for (var i = 0; i < 4; ++i)
                mouseWheel(knob, 30, 30, 0, 120);
            compare(calls.count, 0);
            mouseWheel(knob, 30, 30, 0, 240);
            compare(calls.count, 1);
            expectCall(0, "incValue", [0, 1.0, 0.0, false, false]);
        }

        function test_doubleClickResetsToDefault() {
            mouseDoubleClickSequence(knob, 30, 30);
            var resets = 0;
            for (var i = 0; i < calls.count; ++i)
                resets += calls.signalArguments[i][0] === "setValueToDefault" ? 1 : 0;
            compare(resets, 1);
            compare(knobTranslator.value, 0.25);
        }

        function test_translatorWithoutResetAndWithNaN() {
            compare(bareKnob.value, 0);
            mouseDoubleClickSequence(bareKnob, 30, 30);
            mouseWheel(bareKnob, 30, 30, 0, 120);
            compare(bareTranslator.log.length, 1);
            compare(bareTranslator.log[0][0], "incValue");
            fuzzyCompare(bareTranslator.log[0][1], 0.01, 1e-9);
        }

        function test_shiftClickTogglesShiftProperty() {
            compare(shiftTranslator.state, false);
            mouseClick(knob, 30, 30, Qt.LeftButton, Qt.ShiftModifier);
            compare(shiftTranslator.state, true);
            mouseClick(knob, 30, 30, Qt.LeftButton, Qt.ShiftModifier);
            compare(shiftTranslator.state, false);
            shiftProperty.translatorType = 3;
            mouseClick(knob, 30, 30, Qt.LeftButton, Qt.ShiftModifier);
            mouseClick(knob, 30, 30, Qt.LeftButton, Qt.ShiftModifier);
            compare(shiftTranslator.state, true);
            shiftProperty.translatorType = 1;
            shiftTranslator.state = false;
        }

        function test_unboundKnobIsDisabledAtZero() {
            compare(unboundKnob.value, 0);
            compare(unboundKnob.enabled, false);
            mouseWheel(unboundKnob, 30, 30, 0, 120);
            compare(unboundKnob.grid, -1);
        }

        function test_destroyedTranslatorUnbinds() {
            var doomed = Qt.createQmlObject("import RorazIde 1.0; QObjTranslator { editable: true; value: 0.7 }", root);
            knobProp.translator = doomed;
            fuzzyCompare(knob.value, 0.7, 1e-9);
            doomed.destroy();
            tryVerify(function() { return knobProp.translator === null });
            compare(knob.value, 0);
            compare(knob.enabled, false);
            mouseWheel(knob, 30, 30, 0, 120);
            compare(calls.count, 0);
        }
    }
}
