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
    // Read once here: panels create hundreds of knobs, and every binding
    // below would otherwise look the translator up again. A destroyed
    // translator is announced by the property's own change signal. Held as a
    // var: an object-typed property already reads null while its object is
    // being destroyed, so setting it to null then would notify nobody.
    readonly property var boundTranslator: prop ? prop.translator : null
    readonly property real value: {
        var v = boundTranslator ? boundTranslator.value : 0;
        return Number.isFinite(v) ? v : 0;
    }
    // Reads the translator alone, not `value` or `showSoftNeedle`: the knob
    // re-announces those when complete, and this need not be evaluated again.
    readonly property real softValue: {
        var t = boundTranslator;
        var soft = t && t.showSoft === true ? t.softValue : undefined;
        if (Number.isFinite(soft))
            return soft;
        var v = t ? t.value : 0;
        return Number.isFinite(v) ? v : 0;
    }
    readonly property bool bipolar: boundTranslator ? boundTranslator.zeroValue === 0.5 : false
    readonly property bool showSoftNeedle: boundTranslator ? boundTranslator.showSoft === true : false
    readonly property real grid: {
        var v = boundTranslator ? boundTranslator.grid : 0;
        return Number.isFinite(v) && v || -1;
    }
    readonly property real minimum: {
        var v = boundTranslator ? boundTranslator.minimum : 0;
        return Number.isFinite(v) && v || -1;
    }
    readonly property real maximum: {
        var v = boundTranslator ? boundTranslator.maximum : 0;
        return Number.isFinite(v) && v || -1;
    }
    readonly property real range: grid > 0 ? maximum - minimum : 0
    readonly property bool useGrid: range > 0
    property int steps: 0
    property real resolution: 0.01
    readonly property real shiftValue: {
        var t = shiftProp ? shiftProp.translator : null;
        var v = t ? t.value : 0;
        return Number.isFinite(v) ? v : 0;
    }

    property real stepAccumulator: 0

    signal knobValueChanged(real value)
    signal knobSoftValueChanged(real softValue)

    dragAxis: ORBMouseArea.YAxis
    hideCursor: ORBMouseArea.OnMoved
    hoverEnabled: true
    enabled: boundTranslator ? boundTranslator.editable === true : false

    // Raises the value for a positive `delta`, else lowers it. Helpers are
    // kept to this one: every function is made anew for each knob.
    function changeValue(delta, fine) {
        var t = boundTranslator;
        if (!t || !isFinite(delta))
            return;
        if (inverted)
            delta = -delta;
        var step = 0;
        if (steps !== 0) {
            var threshold = 500 * resolution;
            stepAccumulator += delta;
            if (stepAccumulator > threshold)
                stepAccumulator -= threshold;
            else if (stepAccumulator < -threshold)
                stepAccumulator += threshold;
            else
                return;
        } else {
            step = useGrid ? grid : resolution;
            if (!fine)
                step *= Math.abs(delta);
        }
        if (delta > 0) {
            if (typeof t.incValue === "function")
                t.incValue(step, 1.0, 0.0, false, useGrid);
        } else if (typeof t.decValue === "function") {
            t.decValue(step, 0.0, 1.0, false, useGrid);
        }
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
        if (boundTranslator && typeof boundTranslator.setValueToDefault === "function")
            boundTranslator.setValueToDefault();
    }

    // Shift toggles a type 1 shift property and sets a type 3 one.
    onClicked: {
        var target = shiftProp ? shiftProp.translator : null;
        if (mouse.modifiers !== Qt.ShiftModifier || !target || target.state === undefined)
            return;
        if (shiftProp.translatorType === 1)
            target.state = !target.state;
        else if (shiftProp.translatorType === 3)
            target.state = true;
    }

    // Layers draw the state they are told about, so tell them the initial one.
    Component.onCompleted: {
        showSoftNeedleChanged();
        enabledChanged();
        valueChanged();
        softValueChanged();
    }
}
