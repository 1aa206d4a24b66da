import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/Knobs"

ORBMainWindow {
    id: root

    QObjTranslator { id: knobTranslator; editable: true; value: 0.25 }
    QObjProperty { id: knobProp; translator: knobTranslator }

    ORBKnob {
        id: knob
        x: 20; y: 20; width: 120; height: 120
        prop: knobProp
        ORBSvgKnobLayer {
            id: layer
            width: knob.width; height: knob.height
            content: Component { SvgKnob { width: 120; height: 120 } }
        }
    }

    TestCase {
        name: "SvgKnobLayer"
        when: windowShown

        function init() {
            knobTranslator.showSoft = false;
            knobTranslator.softValue = 0;
            knobTranslator.value = 0.01;
            layer.item.normalizedCoronaAnchorPos = 0;
            knob.inverted = false;
        }

        function part(id) {
            return layer.item.element(id);
        }

        function test_needleAndDialFollowTheValue_data() {
            return [
                { tag: "lowest", value: 0, angle: -135 },
                { tag: "quarter", value: 0.25, angle: -67.5 },
                { tag: "middle", value: 0.5, angle: 0 },
                { tag: "highest", value: 1, angle: 135 }
            ];
        }

        function test_needleAndDialFollowTheValue(data) {
            knobTranslator.value = data.value;
            fuzzyCompare(part("Needle").rotation, data.angle, 1e-9);
            fuzzyCompare(part("CenterDial").rotation, data.angle, 1e-9);
        }

        function test_angleOffsetNarrowsTheSweep() {
            layer.item.angleOffset = 90;
            knobTranslator.value = 1;
            fuzzyCompare(part("Needle").rotation, 90, 1e-9);
            layer.item.angleOffset = 45;
        }

        function test_coronaGrowsFromItsAnchor_data() {
            return [
                { tag: "unipolar low", anchor: 0, value: 0.25, dash: 33.75, angle: 0 },
                { tag: "unipolar full", anchor: 0, value: 1, dash: 0, angle: 0 },
                { tag: "bipolar left", anchor: 0.5, value: 0.25, dash: 33.75, angle: 67.5 },
                { tag: "bipolar right", anchor: 0.5, value: 0.75, dash: 33.75, angle: 135 },
                { tag: "bipolar centre", anchor: 0.5, value: 0.5, dash: 45, angle: 135 }
            ];
        }

        function test_coronaGrowsFromItsAnchor(data) {
            layer.item.normalizedCoronaAnchorPos = data.anchor;
            knobTranslator.value = data.value;
            fuzzyCompare(part("Corona").stroke.dashOffset, data.dash, 1e-9);
            fuzzyCompare(part("Corona").rotation, data.angle, 1e-9);
        }

        function test_softNeedleShowsOnlyWithTheSoftValue() {
            knobTranslator.value = 0.25;
            compare(part("SoftNeedle").opacity, 0);
            knobTranslator.softValue = 0.75;
            knobTranslator.showSoft = true;
            compare(part("SoftNeedle").opacity, 1);
            fuzzyCompare(part("SoftNeedle").rotation, 67.5, 1e-9);
            fuzzyCompare(part("Needle").rotation, -67.5, 1e-9);
            knobTranslator.showSoft = false;
            compare(part("SoftNeedle").opacity, 0);
        }

        function test_invertedKnobTurnsTheOtherWay() {
            knob.inverted = true;
            knobTranslator.value = 0.25;
            fuzzyCompare(part("Needle").rotation, 67.5, 1e-9);
        }

        // The knob artwork's pixels. TestCase.grabImage() places an item by
        // its position in its parent, so grab the whole window instead.
        function grabKnob() {
            var image = grabImage(root);
            var origin = layer.item.mapToItem(root, 0, 0);
            return { pixel: function(x, y) { return image.pixel(origin.x + x, origin.y + y) } };
        }

        // Light pixels where the needle's tip is, 30 px from the centre.
        function needleTipIsLight(image, degrees) {
            var radians = degrees * Math.PI / 180;
            var c = image.pixel(60 + 30 * Math.sin(radians), 60 - 30 * Math.cos(radians));
            return c.r > 0.8 && c.g > 0.8 && c.b > 0.8;
        }

        function test_theNeedleIsDrawnWhereItPoints() {
            knobTranslator.value = 0;
            tryVerify(function() { return needleTipIsLight(grabKnob(), -135) }, 2000);
            verify(!needleTipIsLight(grabKnob(), 0));
            knobTranslator.value = 0.5;
            tryVerify(function() { return needleTipIsLight(grabKnob(), 0) }, 2000);
            verify(!needleTipIsLight(grabKnob(), -135));
        }

        // Orange where the corona passes 3 o'clock (value 0.75), 47 px out.
        function coronaAtThreeOClock(image) {
            var c = image.pixel(60 + 47, 60);
            return c.r > 0.8 && c.g > 0.5 && c.g < 0.8 && c.b < 0.4;
        }

        function test_theCoronaIsDrawnUpToTheValue() {
            knobTranslator.value = 1;
            tryVerify(function() { return coronaAtThreeOClock(grabKnob()) }, 2000);
            knobTranslator.value = 0.5;
            tryVerify(function() { return !coronaAtThreeOClock(grabKnob()) }, 2000);
            layer.item.normalizedCoronaAnchorPos = 0.5;
            knobTranslator.value = 1;
            tryVerify(function() { return coronaAtThreeOClock(grabKnob()) }, 2000);
        }
    }
}
