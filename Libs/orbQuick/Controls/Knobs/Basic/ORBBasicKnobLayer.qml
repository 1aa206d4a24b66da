import QtQuick 2.15

// Shows content centred in its knob and passes the knob's changes to the
// overridable update functions.
Loader {
    id: layer
    objectName: "ORBKnobLayer"

    // An alias rather than a binding to sourceComponent: one binding fewer
    // for each of the hundreds of knobs a panel makes.
    property alias content: layer.sourceComponent
    property Item knob: parent

    function updateKnobState(value) {}
    function updateKnobSoftState(softValue) {}
    function updateShowSoftNeedle(show) {}

    anchors.centerIn: parent
    opacity: knob && knob.enabled ? 1 : 0.75

    Behavior on opacity {
        NumberAnimation { duration: 150 }
    }

    // Content loaded after the knob announced its state starts from the
    // knob's current one.
    onLoaded: {
        if (!knob)
            return;
        var inverted = knob.inverted === true;
        var value = knob.value;
        var softValue = knob.softValue;
        updateShowSoftNeedle(knob.showSoftNeedle === true);
        updateKnobState(Number.isFinite(value) ? (inverted ? 1 - value : value) : 0);
        updateKnobSoftState(Number.isFinite(softValue) ? (inverted ? 1 - softValue : softValue) : 0);
    }

    Connections {
        target: layer.knob
        ignoreUnknownSignals: true
        function onKnobValueChanged(value) { layer.updateKnobState(value) }
        function onKnobSoftValueChanged(softValue) { layer.updateKnobSoftState(softValue) }
        function onShowSoftNeedleChanged() { layer.updateShowSoftNeedle(layer.knob.showSoftNeedle === true) }
    }
}
