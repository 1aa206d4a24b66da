import QtQuick 2.15
import orbQuick 1.0

// A full-window layer for one menu or dialog; it keeps the mouse from what lies below.
FocusScope {
    id: layer
    anchors.fill: parent

    property bool modal: false
    property real foregroundZ: z

    signal resized()
    signal close()
    signal closeWithReason(string reason)
    signal delayedClose()

    onWidthChanged: resized()
    onHeightChanged: resized()
    Keys.onEscapePressed: closeWithReason("onEscapePressed")

    ORBMouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        hoverEnabled: true
        onWheel: wheel.accepted = true
        onPressed: {
            if (layer.modal)
                return;
            // A right press goes on to what lies below, so a context menu can open there.
            mouse.accepted = mouse.button !== Qt.RightButton;
            layer.close();
        }
    }
}
