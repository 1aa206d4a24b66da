import QtQuick 2.15
import orbQuick 1.0

// A knob turned by the endless drag: press, move up or down, release. The
// cursor hides while turning and comes back where the press was.
Column {
    id: panel
    property real value: 42
    property int lastDelta: 0
    spacing: 10

    Text {
        text: "ORBMouseArea: endless drag"
        color: "#8fb4ff"
        font.pixelSize: 20
        font.bold: true
    }

    Row {
        spacing: 20

        Rectangle {
            width: 96; height: 96; radius: 48
            color: knob.pressed ? "#3a4150" : "#2c313a"
            border.color: "#8fb4ff"
            border.width: 2

            // The indicator sweeps 270 degrees over the range.
            Item {
                anchors.fill: parent
                rotation: -135 + 270 * panel.value / 100
                Rectangle {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 8
                    width: 4; height: 30; radius: 2
                    color: "#f2c94c"
                }
            }

            ORBMouseArea {
                id: knob
                anchors.fill: parent
                dragAxis: ORBMouseArea.YAxis
                hideCursor: ORBMouseArea.OnPressed
                // Up (negative steps) turns the knob up.
                onMoved: {
                    panel.lastDelta = mouse.delta
                    panel.value = Math.max(0, Math.min(100, panel.value - mouse.delta / 4))
                }
                onDoubleClicked: panel.value = 50
            }
        }

        Column {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 6
            Text { color: "white"; font.pixelSize: 26; text: panel.value.toFixed(1) }
            Text { color: "#c8ccd4"; font.pixelSize: 13; text: "last step " + panel.lastDelta + " px" }
            Text {
                color: "#c8ccd4"; font.pixelSize: 13
                text: "drag up or down; double-click resets"
            }
        }
    }
}
