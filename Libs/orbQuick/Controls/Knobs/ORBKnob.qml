import QtQuick 2.15
import orbQuick 1.0
import RorazIde 1.0

// A rotary control bound to a host property: the wheel and an endless vertical
// drag raise or lower the value through the translator.
ORBMouseArea {
    id: knob
    objectName: "ORBBasicKnob"

    property QObjProperty prop: null
    property QObjProperty shiftProp: null
    property bool inverted: false
    readonly property real value: readNumber(boundTranslator(), "value", 0)
    readonly property real softValue: showSoftNeedle ? readNumber(boundTranslator(), "softValue", value) : value
    readonly property bool bipolar: readNumber(boundTranslator(), "zeroValue", 0) === 0.5
    readonly property bool showSoftNeedle: readFlag("showSoft")
    readonly property real grid: readNumber(boundTranslator(), "grid", 0) || -1
    readonly property real minimum: readNumber(boundTranslator(), "minimum", 0) || -1
    readonly property real maximum: readNumber(boundTranslator(), "maximum", 0) || -1
    readonly property real range: grid > 0 ? maximum - minimum : 0
    readonly property bool useGrid: range > 0
    property int steps: 0
    property real resolution: 0.01
    readonly property real shiftValue: readNumber(shiftProp ? shiftProp.translator : null, "value", 0)

    property real stepAccumulator: 0

    signal knobValueChanged(real value)
    signal knobSoftValueChanged(real softValue)

    dragAxis: ORBMouseArea.YAxis
    hideCursor: ORBMouseArea.OnMoved
    hoverEnabled: true
    enabled: readFlag("editable")

    // A finite number from the translator, else the fallback.
    // Read through the property every time: a destroyed translator is only
    // announced by the property's own change signal.
    function boundTranslator() {
        return prop ? prop.translator : null;
    }

    function readFlag(name) {
        var t = boundTranslator();
        return t ? t[name] === true : false;
    }

    function readNumber(source, name, fallback) {
        if (!source)
            return fallback;
        var number = source[name];
        return typeof number === "number" && isFinite(number) ? number : fallback;
    }

    function raise(step) {
        if (boundTranslator() && typeof boundTranslator().incValue === "function")
            boundTranslator().incValue(step, 1.0, 0.0, false, useGrid);
    }

    function lower(step) {
        if (boundTranslator() && typeof boundTranslator().decValue === "function")
            boundTranslator().decValue(step, 0.0, 1.0, false, useGrid);
    }

    function changeValue(delta, fine) {
        if (!boundTranslator() || !isFinite(delta))
            return;
        if (inverted)
            delta = -delta;
        if (steps !== 0) {
            var threshold = 500 * resolution;
            stepAccumulator += delta;
            if (stepAccumulator > threshold) {
                raise(0);
                stepAccumulator -= threshold;
            } else if (stepAccumulator < -threshold) {
                lower(0);
                stepAccumulator += threshold;
            }
            return;
        }
        var step = useGrid ? grid : resolution;
        if (!fine)
            step *= Math.abs(delta);
        if (delta > 0)
            raise(step);
        else
            lower(step);
    }

    function toggleShiftProp() {
        var target = shiftProp ? shiftProp.translator : null;
        if (!target || target.state === undefined)
            return;
        if (shiftProp.translatorType === 1)
            target.state = !target.state;
        else if (shiftProp.translatorType === 3)
            target.state = true;
    }

    onValueChanged: knobValueChanged(inverted ? 1 - value : value)
    onSoftValueChanged: knobSoftValueChanged(inverted ? 1 - softValue : softValue)

    onWheel: {
        if (pressed)
            return;
        forceActiveFocus();
        var angle = wheel.angleDelta.y;
        if (angle === 0)
            return;
        var delta = Math.abs(wheel.pixelDelta.y) / 2;
        if (delta === 0)
            delta = Math.abs(angle) / 120;
        changeValue(angle < 0 ? -delta : delta, wheel.modifiers === Qt.ControlModifier);
    }

    onPressed: {
        stepAccumulator = 0;
        forceActiveFocus();
    }

    onMoved: changeValue(-mouse.delta, mouse.modifiers === Qt.ControlModifier)

    onDoubleClicked: {
        if (boundTranslator() && typeof boundTranslator().setValueToDefault === "function")
            boundTranslator().setValueToDefault();
    }

    onClicked: {
        if (mouse.modifiers === Qt.ShiftModifier)
            toggleShiftProp();
    }

    // Layers draw the state they are told about, so tell them the initial one.
    Component.onCompleted: {
        showSoftNeedleChanged();
        enabledChanged();
        valueChanged();
        softValueChanged();
    }
}
