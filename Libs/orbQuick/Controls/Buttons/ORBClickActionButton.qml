import QtQuick 2.15

// Triggers the host action on a completed click.
ORBButton {
    objectName: "ORBActionButton"
    onClicked: writeState(pickProp(mouse.modifiers), true)
}
