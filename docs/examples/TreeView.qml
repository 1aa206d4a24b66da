import QtQuick 2.15
import orbQuick 1.0

// A library sidebar: two host models ("crates" and "playlists") in one tree.
// A click selects a row, a double click opens or closes it.
Rectangle {
    width: 260
    height: 240
    color: "#2c313a"

    ORBTreeView {
        id: tree
        anchors.fill: parent
        clip: true
        itemHeight: 22
        rootItemHeight: 26

        models: [
            ORBTreeViewModelItem { model: crates },
            ORBTreeViewModelItem { model: playlists }
        ]

        delegate: Rectangle {
            color: ItemIndex === tree.currentIndex ? "#3d5a80" : "transparent"
            Text {
                x: 8 + ItemLevel * 16
                anchors.verticalCenter: parent.verticalCenter
                text: (ItemHasChildren ? (ItemIsExpanded ? "- " : "+ ") : "  ") + display
                color: "white"
                font.bold: ItemLevel === 0
            }
            MouseArea {
                anchors.fill: parent
                onClicked: tree.currentIndex = ItemIndex
                onDoubleClicked: tree.toggleItemAt(ItemIndex)
            }
        }

        Component.onCompleted: {
            openItemAt(0)
            openItemAt(1)
            currentIndex = 2
        }
    }
}
