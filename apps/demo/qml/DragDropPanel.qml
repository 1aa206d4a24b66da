import QtQuick 2.15
import orbQuick 1.0

// Tiles that drag their track as a URI list with a rendered image, and a drop
// target that lists the audio files among what is dropped (folders included).
Column {
    id: panel
    spacing: 10
    property var audioTypes: ["mp3", "wav", "flac", "aiff"]

    Text { text: "Drag and drop"; color: "#8fb4ff"; font.pixelSize: 20; font.bold: true }

    Row {
        spacing: 10
        Repeater {
            model: ["file:///music/Intro.mp3", "file:///music/Drop.wav", "file:///music/Outro.flac"]
            ORBDragZone {
                width: 110; height: 40
                mimeType: "text/uri-list"
                mimeData: modelData
                onClicked: status.text = "clicked " + modelData
                Rectangle {
                    anchors.fill: parent; radius: 4; color: "#3a4150"
                    Text { anchors.centerIn: parent; color: "white"; text: modelData.split("/").pop() }
                }
                dragHandler: ORBDragHandler {
                    supportedActions: Qt.CopyAction
                    delegate: Component {
                        Rectangle {
                            width: 160; height: 36; radius: 6
                            gradient: Gradient {
                                GradientStop { position: 0; color: "#2f80ed" }
                                GradientStop { position: 1; color: "#1b4f9c" }
                            }
                            Text { anchors.centerIn: parent; color: "white"; text: "♪ " + modelData.split("/").pop() }
                        }
                    }
                    onDragFinished: status.text = "drag ended with action " + event.dropAction
                }
            }
        }
    }

    ORBDropZone {
        id: target
        width: 360; height: 120
        property bool hovered: false
        onDragEnter: {
            var urls = event.mimeData.toVariant()["text/uri-list"]
            hovered = urls !== undefined && containsFileTypes(urls, panel.audioTypes.map(function(t) { return "*." + t }))
            event.accepted = hovered
        }
        onDragMove: event.accepted = hovered
        onDragLeave: hovered = false
        onDrop: {
            hovered = false
            var urls = event.mimeData.toVariant()["text/uri-list"]
            if (!urls)
                return
            dropped.model = filterFileTypes(urls, panel.audioTypes)
            event.acceptProposedAction()
        }
        Rectangle {
            anchors.fill: parent; radius: 4; color: "#2c313a"
            border.color: target.hovered ? "#5fd38d" : "#4a5160"
        }
        ListView {
            id: dropped
            anchors.fill: parent; anchors.margins: 6; clip: true
            delegate: Text { color: "#c8ccd4"; font.pixelSize: 12; text: modelData }
        }
        Text {
            anchors.centerIn: parent; visible: dropped.count === 0
            color: "#6b7280"; text: "Drop audio files or folders here"
        }
    }

    Text { id: status; color: "#c8ccd4"; font.pixelSize: 13 }
}
