import QtQuick 2.15
import orbQuick 1.0

// Swallows every mouse and wheel event over its parent.
ORBMouseArea {
    anchors.fill: parent
    acceptedButtons: Qt.AllButtons
    hoverEnabled: true
    onPressed: mouse.accepted = true
    onClicked: mouse.accepted = true
    onDoubleClicked: mouse.accepted = true
    onPressAndHold: mouse.accepted = true
    onReleased: mouse.accepted = true
    onWheel: wheel.accepted = true
}
