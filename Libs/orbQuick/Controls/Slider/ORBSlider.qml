import QtQuick 2.15
import orbQuick 1.0
import RorazIde 1.0

// A linear control bound to a host property, horizontal when wider than high.
ORBMouseArea {
    id: slider
    objectName: "ORBSlider"

    property QObjProperty prop: null
    property QObjProperty propState: null
    property bool inverted: false
    property bool canReset: true
    property real resolution: 0.01
    property real resolutionFine: 0.001
    property bool ignoreMouseAcceleration: false
    readonly property bool horizontal: width > height
    readonly property real value: oriented(readNumber(boundTranslator(), "value", 0))
    readonly property bool showSoft: readFlag("showSoft")
    readonly property real softValue: showSoft ? oriented(readNumber(boundTranslator(), "softValue", 0)) : 0
    readonly property bool bipolar: readNumber(boundTranslator(), "zeroValue", 0) === 0.5
    readonly property string stringValue: readString(propState ? propState.translator : null,
                                                     readString(boundTranslator(), ""))
    readonly property real grid: readNumber(boundTranslator(), "grid", 0) || -1
    readonly property real minimum: readNumber(boundTranslator(), "minimum", 0) || -1
    readonly property real maximum: readNumber(boundTranslator(), "maximum", 0) || -1
    readonly property real range: grid > 0 ? maximum - minimum : 0
    readonly property bool useGrid: range > 0

    dragAxis: horizontal ? ORBMouseArea.XAxis : ORBMouseArea.YAxis
    hideCursor: ORBMouseArea.OnMoved
    hoverEnabled: true
    enabled: readFlag("editable")

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

    function readString(source, fallback) {
        return source && typeof source.string === "string" ? source.string : fallback;
    }

    function oriented(v) {
        return inverted ? 1 - v : v;
    }

    function stepFor(delta, fine) {
        if (useGrid)
            return fine || ignoreMouseAcceleration ? grid : grid * Math.abs(delta);
        if (fine)
            return resolutionFine;
        return ignoreMouseAcceleration ? resolution : resolution * Math.abs(delta);
    }

    function changeValue(delta, fine) {
        if (!boundTranslator() || !isFinite(delta))
            return;
        if (inverted)
            delta = -delta;
        var step = stepFor(delta, fine);
        if (delta > 0) {
            if (typeof boundTranslator().incValue === "function")
                boundTranslator().incValue(step, 1.0, 0.0, false, useGrid);
        } else if (typeof boundTranslator().decValue === "function") {
            boundTranslator().decValue(step, 0.0, 1.0, false, useGrid);
        }
    }

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
        if (angle < 0)
            delta = -delta;
        changeValue(horizontal ? -delta : delta, wheel.modifiers === Qt.ControlModifier);
    }

    onPressed: forceActiveFocus()
    onMoved: changeValue(-mouse.delta, mouse.modifiers === Qt.ControlModifier)

    onDoubleClicked: {
        if (canReset && boundTranslator() && typeof boundTranslator().setValueToDefault === "function")
            boundTranslator().setValueToDefault();
    }

    Component.onCompleted: {
        enabledChanged();
        valueChanged();
        softValueChanged();
    }
}
