import QtQuick 2.15

// Behaves as the host property's translator type asks: 10 integer (press 1,
// release 0), 1 two-state (toggle), 2 action-hold, 3 action-trigger.
ORBButton {
    objectName: "ORBAutoButton"
    property bool toggleOnPressed: false
    property QtObject heldProp: null

    function typeOf(property) {
        return property ? property.translatorType : 0;
    }

    onPressed: {
        heldProp = pickProp(mouse.modifiers);
        var type = typeOf(heldProp);
        if (type === 10)
            writeValue(heldProp, 1.0);
        else if (type === 1 && toggleOnPressed && mouse.button === Qt.LeftButton)
            toggleState(heldProp);
        else if (type === 2 || type === 3)
            writeState(heldProp, true);
        else if (type !== 1)
            console.warn("ORBAutoButton does not yet support type", type);
    }
    onReleased: {
        var type = typeOf(heldProp);
        if (type === 10)
            writeValue(heldProp, 0.0);
        else if (type === 2)
            writeState(heldProp, false);
    }
    onClicked: {
        var property = pickProp(mouse.modifiers);
        if (typeOf(property) === 1 && !toggleOnPressed && mouse.button === Qt.LeftButton)
            toggleState(property);
    }
}
