import QtQuick 2.15
import orbQuick 1.0

// A document drawn as distance-field quads, with one element restyled from
// QML by an ORBSvgNode that names it by its id.
Rectangle {
    width: 320
    height: 240
    color: "white"

    ORBSvgItem {
        anchors.fill: parent
        source: Qt.resolvedUrl("artwork/speaker.svg")

        ORBSvgNode {
            nodeId: "led"
            fillColor: "#eb5757"
        }
        ORBSvgNode {
            nodeId: "cone"
            strokeColor: "#f2c94c"
            stroke.width: 10
        }
    }
}
