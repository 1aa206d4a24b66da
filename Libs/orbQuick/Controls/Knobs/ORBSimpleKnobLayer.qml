import QtQuick 2.15
import "Basic"

// A plain marker across the knob at the value's position.
ORBBasicKnobLayer {
    // Not "layer": inside the marker that name is the item's own layer property.
    id: knobLayer
    property real markerValue: 0

    anchors.centerIn: undefined
    anchors.fill: parent

    function updateKnobState(value) {
        // Qualified: an unqualified store looks the name up through every scope.
        knobLayer.markerValue = isFinite(value) ? value : 0;
    }

    // A child of its own rather than loaded content: panels make hundreds of
    // knobs at once, and loading a component per marker was a tenth of each
    // knob's creation time.
    Rectangle {
        width: 2
        height: knobLayer.knob ? knobLayer.knob.height : 0
        x: knobLayer.knob ? Math.floor(knobLayer.markerValue * knobLayer.knob.width) : 0
        color: "white"
    }
}
