import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/Knobs"
import "qrc:/Libs/orbQuick/Controls/Slider"
import "qrc:/Libs/orbQuick/Controls/Switch"
import "qrc:/Libs/orbQuick/Controls/Buttons"

// What the knob, slider, switch and button layers put on screen.
ORBMainWindow {
    id: root

    Rectangle { anchors.fill: parent; color: "black" }

    QObjTranslator { id: level; editable: true; value: 0.3; numEntries: 3 }
    QObjProperty { id: levelProp; translator: level; translatorType: 1 }
    QObjFlashProperty { id: beat; interval: 40; running: false }

    ORBKnob {
        id: knob
        x: 10; y: 10; width: 100; height: 40
        prop: levelProp
        ORBSimpleKnobLayer { id: knobLayer }
    }

    QObjTranslator { id: otherLevel; editable: true; value: 0.2 }
    QObjProperty { id: otherLevelProp; translator: otherLevel }
    ORBKnob { id: otherKnob; x: 10; y: 220; width: 100; height: 40; prop: otherLevelProp }

    ORBSlider {
        id: slider
        x: 10; y: 70; width: 200; height: 20
        prop: levelProp
        ORBSliderHandleLayer { content: Component { Rectangle { width: 20; height: 20; color: "red" } } }
    }

    ORBSwitch {
        id: threeWay
        x: 10; y: 110; width: 150; height: 30
        prop: levelProp
        ORBSwitchHandleLayer { content: Component { Rectangle { width: 20; height: 20; color: "blue" } } }
    }

    ORBToggleButton {
        id: button
        x: 10; y: 160; width: 40; height: 40
        prop: levelProp
        ORBButtonLayer {
            id: colours
            upColor: "#200000"; downColor: "#400000"; upHoverColor: "#600000"
            downHoverColor: "#800000"; inactiveColor: "#a00000"
            content: Component { Rectangle {} }
        }
        ORBSyncedFlashingButtonLayer {
            id: synced
            pFlash: beat
            flashDuration: 10
            content: Component { Rectangle { color: "white" } }
        }
    }

    TestCase {
        name: "LayerDrawing"
        when: windowShown

        function init() {
            mouseMove(root, 600, 600);
            level.editable = true;
            level.state = false;
            level.flashing = false;
            level.value = 0.3;
            level.index = 0;
            beat.running = false;
            beat.translator.state = false;
        }

        function isWhite(c) { return c.r > 0.9 && c.g > 0.9 && c.b > 0.9 }
        function isRed(c) { return c.r > 0.9 && c.g < 0.1 && c.b < 0.1 }
        function isBlue(c) { return c.b > 0.9 && c.r < 0.1 && c.g < 0.1 }

        function test_knobMarkerSitsAtTheValue() {
            var image = grabImage(knob);
            verify(isWhite(image.pixel(30, 20)));
            verify(!isWhite(image.pixel(60, 20)));
            level.value = 0.6;
            image = grabImage(knob);
            verify(isWhite(image.pixel(60, 20)));
            verify(!isWhite(image.pixel(30, 20)));
        }

        // A layer handed to another knob follows that knob alone, and a
        // destroyed layer leaves its knob's changes unheard.
        function test_knobLayerFollowsOnlyItsKnob() {
            knobLayer.knob = otherKnob;
            otherLevel.value = 0.6;
            level.value = 0.9;
            var image = grabImage(knob);
            verify(isWhite(image.pixel(60, 20)));
            verify(!isWhite(image.pixel(90, 20)));
            knobLayer.knob = knob;
            level.value = 0.3;
            image = grabImage(knob);
            verify(isWhite(image.pixel(30, 20)));
            verify(!isWhite(image.pixel(60, 20)));

            var doomed = Qt.createQmlObject("import \"qrc:/Libs/orbQuick/Controls/Knobs\"; ORBSimpleKnobLayer {}", otherKnob);
            otherLevel.value = 0.4;
            compare(doomed.markerValue, 0.4);
            doomed.destroy();
            wait(0);
            otherLevel.value = 0.5;
            compare(otherKnob.value, 0.5);
        }

        // Disabling fades the knob over 150 ms.
        function test_knobLayerFades() {
            compare(knobLayer.opacity, 1);
            level.editable = false;
            verify(knobLayer.opacity > 0.75);
            tryCompare(knobLayer, "opacity", 0.75, 1000);
            level.editable = true;
            tryCompare(knobLayer, "opacity", 1, 1000);
        }

        // Handle x = 1 + (1 - value) x (200 - 20 - 2).
        function test_sliderHandleFollowsTheValue() {
            var image = grabImage(slider);
            verify(isRed(image.pixel(1 + 0.7 * 178 + 10, 10)));
            verify(!isRed(image.pixel(60, 10)));
            level.value = 0.75;
            image = grabImage(slider);
            verify(isRed(image.pixel(1 + 0.25 * 178 + 10, 10)));
            verify(!isRed(image.pixel(1 + 0.7 * 178 + 10, 10)));
        }

        function switchHandleAt(x) {
            return isBlue(grabImage(threeWay).pixel(x, 15));
        }

        // Edge sections keep the handle 2 px from the outer edge, the middle one centres it.
        function test_switchHandleMovesBySection() {
            tryVerify(function() { return switchHandleAt(3) && !switchHandleAt(23) }, 1000);
            level.index = 1;
            tryVerify(function() { return switchHandleAt(66) && switchHandleAt(84) && !switchHandleAt(3) }, 1000);
            verify(!switchHandleAt(63) && !switchHandleAt(86));
            level.index = 2;
            tryVerify(function() { return switchHandleAt(147) && !switchHandleAt(149) }, 1000);
            threeWay.inverse = true;
            tryVerify(function() { return switchHandleAt(3) }, 1000);
            threeWay.inverse = false;
        }

        function buttonRed() {
            return Math.round(grabImage(button).pixel(20, 20).r * 255);
        }

        function test_colourLayerPaintsEveryState() {
            tryCompare(colours, "currentButtonState", "Up");
            compare(buttonRed(), 0x20);
            mouseMove(button, 20, 20);
            tryCompare(colours, "currentButtonState", "HoverOnUp");
            compare(buttonRed(), 0x60);
            level.state = true;
            tryCompare(colours, "currentButtonState", "HoverOnDown");
            compare(buttonRed(), 0x80);
            mouseMove(root, 600, 600);
            tryCompare(colours, "currentButtonState", "Down");
            compare(buttonRed(), 0x40);
            level.editable = false;
            tryCompare(colours, "currentButtonState", "Inactive");
            compare(buttonRed(), 0xa0);
        }

        function test_syncedFlashFollowsTheBeat() {
            compare(synced.visible, false);
            level.flashing = true;
            beat.translator.state = true;
            tryCompare(synced, "opacity", 0.5, 1000);
            verify(synced.visible);
            var lit = grabImage(button).pixel(20, 20);
            fuzzyCompare(lit.g, 0.5, 0.05);
            beat.translator.state = false;
            tryCompare(synced, "opacity", 0, 1000);
            compare(synced.visible, false);
            beat.running = true;
            tryCompare(synced, "opacity", 0.5, 1000);
            level.flashing = false;
            tryCompare(synced, "opacity", 0, 1000);
        }
    }
}
