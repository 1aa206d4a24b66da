import QtQuick 2.15
import RorazIde 1.0
import "Basic"

// Lights its content on the host's shared flash beat while the button flashes,
// so all flashing buttons blink together.
ORBBasicButtonLayer {
    id: layer
    objectName: "ORBButtonLayer"

    property QObjProperty pFlash: null
    property int flashDuration: 100
    readonly property bool beat: pFlash && pFlash.translator ? pFlash.translator.state === true : false

    opacity: layer.button && layer.button.flashing === true && beat ? 0.5 : 0
    visible: opacity > 0

    Behavior on opacity {
        NumberAnimation { duration: layer.flashDuration }
    }
}
