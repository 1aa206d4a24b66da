import QtQuick 2.15
import orbQuick 1.0

// A library sidebar: crates and playlists, two models in one tree.
// Click selects a row, double click opens or closes it.
Rectangle {
    color: "#2c313a"

    Text {
        id: title
        text: "ORBTreeView: two models, one sidebar"
        color: "#8fb4ff"
        font.pixelSize: 16
        font.bold: true
    }

    ORBTreeView {
        id: tree
        anchors.top: title.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.topMargin: 6
        clip: true
        itemHeight: 22
        rootItemHeight: 26

        delegate: Rectangle {
            color: ItemIndex === tree.currentIndex ? "#3d5a80" : "transparent"
            Text {
                x: 8 + ItemLevel * 16
                anchors.verticalCenter: parent.verticalCenter
                text: (ItemHasChildren ? (ItemIsExpanded ? "- " : "+ ") : "   ") + display
                color: "white"
                font.pixelSize: 13
                font.bold: ItemLevel === 0
            }
            MouseArea {
                anchors.fill: parent
                onClicked: tree.currentIndex = ItemIndex
                onDoubleClicked: tree.toggleItemAt(ItemIndex)
            }
        }

        models: [
            ORBTreeViewModelItem { model: libraryCrates },
            ORBTreeViewModelItem { model: libraryPlaylists }
        ]

        Component.onCompleted: {
            openItemAt(0)
            openItemAt(1)
        }
    }
}
