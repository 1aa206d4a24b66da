import QtQuick 2.15

// Holds the host state on while the button is pressed.
ORBButton {
    id: button
    objectName: "ORBHoldButton"
    property QtObject heldProp: null

    onPressed: {
        heldProp = pickProp(mouse.modifiers);
        writeState(heldProp, true);
    }
    onReleased: {
        writeState(heldProp, false);
        heldProp = null;
    }
    onCanceled: {
        writeState(heldProp, false);
        heldProp = null;
    }
}
