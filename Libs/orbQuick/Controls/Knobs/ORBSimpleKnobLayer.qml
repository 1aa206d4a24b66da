import QtQuick 2.15
import "Basic"

// A plain marker across the knob at the value's position.
ORBBasicKnobLayer {
    id: layer
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
                height: layer.knob ? layer.knob.height : 0
                x: layer.knob ? Math.floor(layer.markerValue * layer.knob.width) : 0
                color: "white"
            }
        }
    }
}
