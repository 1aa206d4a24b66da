import QtQuick 2.15
import orbQuick 1.0

// A track tile that drags its file as a URI list, a drop zone that takes
// audio files only, a mouse area with an endless drag, a DPI-corrected font
// and a validator that reads "1,5" and "1.5" alike.
Rectangle {
    id: panel
    width: 420
    height: 200
    color: "#202329"

    ORBFont { id: label; family: "DejaVu Sans"; pointSizeF: 11 }

    ORBDragZone {
        x: 16; y: 16; width: 120; height: 40
        mimeType: "text/uri-list"
        mimeData: "file:///music/Intro.mp3"
        dragHandler: ORBDragHandler { supportedActions: Qt.CopyAction }
        Rectangle {
            anchors.fill: parent; radius: 4; color: "#3a4150"
            Text { anchors.centerIn: parent; text: "Intro.mp3"; color: "white"; font: label.font }
        }
    }

    ORBDropZone {
        id: dropZone
        x: 156; y: 16; width: 248; height: 40
        property bool accepting: false
        onDragEnter: {
            var urls = event.mimeData.toVariant()["text/uri-list"]
            accepting = urls !== undefined && containsFileTypes(urls, ["*.mp3", "*.wav"])
            event.accepted = accepting
        }
        onDragMove: event.accepted = accepting
        onDragLeave: accepting = false
        onDrop: {
            accepting = false
            dropped.text = filterFileTypes(event.mimeData.toVariant()["text/uri-list"], ["mp3", "wav"]).join(", ")
            event.acceptProposedAction()
        }
        Rectangle {
            anchors.fill: parent; radius: 4; color: "#2c313a"
            border.color: dropZone.accepting ? "#5fd38d" : "#4a5160"
            Text { id: dropped; anchors.centerIn: parent; text: "drop audio here"; color: "#c8ccd4"; font: label.font }
        }
    }

    Rectangle {
        x: 16; y: 76; width: 120; height: 40; radius: 4
        color: fader.pressed ? "#3d5a80" : "#3a4150"
        property real level: 50
        Text { anchors.centerIn: parent; text: "level " + parent.level.toFixed(0); color: "white"; font: label.font }
        ORBMouseArea {
            id: fader
            anchors.fill: parent
            dragAxis: ORBMouseArea.YAxis
            hideCursor: ORBMouseArea.OnPressed
            onMoved: parent.level = Math.max(0, Math.min(100, parent.level - mouse.delta / 4))
        }
    }

    Rectangle {
        x: 156; y: 76; width: 120; height: 40; radius: 4; color: "#2c313a"
        border.color: amount.acceptableInput ? "#5fd38d" : "#e06c75"
        TextInput {
            id: amount
            anchors.fill: parent; anchors.margins: 10
            text: "1,5"
            color: "white"
            font: label.font
            validator: ORBDoubleValidator { bottom: 0; top: 100; decimals: 2 }
        }
    }
}
