import QtQuick 2.15

// Shows content centred in its knob and passes the knob's changes to the
// overridable update functions.
Loader {
    id: layer
    objectName: "ORBKnobLayer"

    property Component content: null
    property Item knob: parent

    function updateKnobState(value) {}
    function updateKnobSoftState(softValue) {}
    function updateShowSoftNeedle(show) {}

    function knobValue(name) {
        var v = knob ? knob[name] : 0;
        return typeof v === "number" && isFinite(v) ? (knob.inverted ? 1 - v : v) : 0;
    }

    sourceComponent: content
    anchors.centerIn: parent
    opacity: knob && knob.enabled ? 1 : 0.75

    Behavior on opacity {
        NumberAnimation { duration: 150 }
    }

    onLoaded: {
        updateShowSoftNeedle(knob ? knob.showSoftNeedle === true : false);
        updateKnobState(knobValue("value"));
        updateKnobSoftState(knobValue("softValue"));
    }

    Connections {
        target: layer.knob
        ignoreUnknownSignals: true
        function onKnobValueChanged(value) { layer.updateKnobState(value) }
        function onKnobSoftValueChanged(softValue) { layer.updateKnobSoftState(softValue) }
        function onShowSoftNeedleChanged() { layer.updateShowSoftNeedle(layer.knob.showSoftNeedle === true) }
    }
}
