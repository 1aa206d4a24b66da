import QtQuick 2.15

// Steps through a list-valued host property: left click forward, right click
// back, wrapping at both ends.
ORBButton {
    objectName: "ORBCycleButton"
    acceptedButtons: Qt.LeftButton | Qt.RightButton

    function nextIndex(index, count, forward) {
        if (forward)
            return index >= count - 1 ? 0 : index + 1;
        return index <= 0 ? count - 1 : index - 1;
    }

    onClicked: {
        var t = translatorOf(pickProp(mouse.modifiers));
        if (!t || typeof t.index !== "number" || typeof t.numEntries !== "number")
            return;
        var count = Math.floor(t.numEntries);
        if (!(count > 0))
            return;
        t.index = nextIndex(t.index, count, mouse.button === Qt.LeftButton);
    }
}
