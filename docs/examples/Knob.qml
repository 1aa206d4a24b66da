import QtQuick 2.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Controls/Knobs"

// A knob of the control library bound to a host property: a QObjProperty
// whose translator keeps the value (made here in QML; a host hands over its
// own). The knob reads the value and changes it only through the translator:
// wheel, endless vertical drag, double click back to the default.
Rectangle {
    width: 240
    height: 140
    color: "#202329"

    QObjTranslator { id: gain; value: 0.7; defaultValue: 0.5; editable: true }
    QObjProperty { id: gainProperty; translator: gain }

    ORBKnob {
        id: knob
        x: 24
        y: 22
        width: 96
        height: 96
        prop: gainProperty

        Rectangle {
            anchors.fill: parent
            radius: width / 2
            color: knob.pressed ? "#3a4150" : "#2c313a"
            border.color: "#8fb4ff"
            border.width: 2
            Item {
                anchors.fill: parent
                rotation: -135 + 270 * knob.value
                Rectangle { x: parent.width / 2 - 2; y: 8; width: 4; height: 28; radius: 2; color: "#f2c94c" }
            }
        }
    }

    Text {
        x: 140
        anchors.verticalCenter: knob.verticalCenter
        text: "gain\n" + (gain.value * 100).toFixed(0) + " %"
        color: "white"
        font.pixelSize: 18
    }
}
