import QtQuick 2.15
import "Basic"

// A plain marker across the knob at the value's position.
ORBBasicKnobLayer {
    // Not "layer": inside the marker that name is the item's own layer property.
    id: knobLayer
    property real markerValue: 0

    anchors.centerIn: undefined
    anchors.fill: parent
    content: markerComponent

    function updateKnobState(value) {
        markerValue = isFinite(value) ? value : 0;
    }

    Component {
        id: markerComponent
        Item {
            Rectangle {
                width: 2
                height: knobLayer.knob ? knobLayer.knob.height : 0
                x: knobLayer.knob ? Math.floor(knobLayer.markerValue * knobLayer.knob.width) : 0
                color: "white"
            }
        }
    }
}
