import QtQuick 2.15
import "Basic"

// Makes its content hop while the button flashes.
ORBBasicButtonLayer {
    id: layer
    objectName: "ORBButtonLayer"

    anchors.fill: undefined
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0

    SequentialAnimation on y {
        running: layer.button ? layer.button.flashing === true : false
        loops: Animation.Infinite
        alwaysRunToEnd: true
        NumberAnimation { from: 0; to: -3; duration: 150; easing.type: Easing.InQuad }
        NumberAnimation { from: -3; to: 0; duration: 500; easing.type: Easing.OutBounce }
        PauseAnimation { duration: 3000 }
    }
}
