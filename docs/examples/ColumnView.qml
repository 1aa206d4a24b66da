import QtQuick 2.15
import QtQml.Models 2.15
import orbQuick 1.0

// A track list: the host publishes "tracks", a flat item model whose roles
// are title, artist and bpm. Only the rows on screen exist.
Rectangle {
    width: 420
    height: 220
    color: "#202329"

    ItemSelectionModel { id: selection; model: tracks }

    ORBColumnView {
        id: view
        anchors.fill: parent
        clip: true
        model: tracks
        selectionModel: selection

        header: ORBColumnViewColumnHeader {
            width: view.width
            height: 24
            color: "#2c313a"
            Repeater {
                model: view.columns
                Text {
                    x: modelData.xPosition + 6
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData.title
                    color: "#8fb4ff"
                    font.bold: true
                }
            }
        }

        rowDelegate: ORBColumnViewRow {
            defaultHeight: 22
            color: isCurrentRow ? "#3d5a80" : (index % 2 ? "#262a31" : "#202329")
        }

        columns: [
            ORBColumnViewColumn { role: "title"; title: "Title"; width: 200; delegate: textCell },
            ORBColumnViewColumn { role: "artist"; title: "Artist"; width: 150; delegate: textCell },
            ORBColumnViewColumn { role: "bpm"; title: "BPM"; width: 60; delegate: textCell }
        ]
    }

    Component {
        id: textCell
        ORBColumnViewCell {
            color: "transparent"
            Text {
                x: 6
                anchors.verticalCenter: parent.verticalCenter
                text: parent.cellData !== undefined ? parent.cellData : ""
                color: "white"
            }
        }
    }
}
