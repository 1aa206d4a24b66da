import QtQuick 2.15
import orbQuick 1.0

// The root of a menu's content. It lives in an ORBForegroundLayer, starts
// transparent until the menu shows it, and hands its close requests to the layer.
FocusScope {
    id: content

    property real scaleFactor: 1.0
    property bool filterMouseEvents: true

    signal close()
    signal closeWithReason(string reason)
    signal delayedClose()
    signal aboutToClose(string reason)

    opacity: 0
    scale: scaleFactor
    transformOrigin: Item.TopLeft

    function layerHas(name) {
        return parent !== null && typeof parent[name] === "function";
    }

    onClose: {
        if (layerHas("close"))
            parent.close();
    }
    onCloseWithReason: {
        if (layerHas("closeWithReason"))
            parent.closeWithReason(reason);
    }
    onDelayedClose: {
        if (layerHas("delayedClose"))
            parent.delayedClose();
    }

    ORBMouseArea {
        anchors.fill: parent
        enabled: content.filterMouseEvents
        acceptedButtons: Qt.AllButtons
        hoverEnabled: true
        onPressed: {
            // A right press goes on to the layer, which closes the menu.
            if (mouse.button === Qt.RightButton) {
                mouse.accepted = false;
                return;
            }
            content.forceActiveFocus();
        }
        onWheel: wheel.accepted = true
    }

    Component.onCompleted: forceActiveFocus()
}
