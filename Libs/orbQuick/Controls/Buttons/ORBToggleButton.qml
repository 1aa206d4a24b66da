import QtQuick 2.15

// Flips the host state, on the click or, with toggleOnPressed, on the press.
ORBButton {
    objectName: "ORBToggleButton"
    property bool toggleOnPressed: false

    onPressed: {
        if (toggleOnPressed)
            toggleState(pickProp(mouse.modifiers));
    }
    onClicked: {
        if (!toggleOnPressed)
            toggleState(pickProp(mouse.modifiers));
    }
}
