import QtQuick 2.15
import "Basic"

// Pulses its content while the button flashes.
ORBBasicButtonLayer {
    id: layer
    objectName: "ORBButtonLayer"

    SequentialAnimation on opacity {
        running: layer.button ? layer.button.flashing === true : false
        loops: Animation.Infinite
        alwaysRunToEnd: true
        NumberAnimation { from: 1; to: 0.35; duration: 500; easing.type: Easing.InOutCubic }
        NumberAnimation { from: 0.35; to: 1; duration: 500; easing.type: Easing.InOutCubic }
    }
}
