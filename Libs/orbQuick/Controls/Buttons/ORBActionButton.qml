import QtQuick 2.15

// Triggers the host action on the press.
ORBButton {
    objectName: "ORBActionButton"
    onPressed: writeState(pickProp(mouse.modifiers), true)
}
