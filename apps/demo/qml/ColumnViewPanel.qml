import QtQuick 2.15
import QtQml.Models 2.15
import orbQuick 1.0

// A million generated tracks in eight columns. The header sorts (click),
// resizes (drag a column's right edge) and reorders (drag a title); the
// picker switches search on for searchable columns; Page Up and Page Down
// move the current row a page; rows held for a moment are dragged out as
// text. The toggles read rows on the thread pool and make each row cost 2 ms.
Rectangle {
    id: panel
    color: "#2c313a"

    readonly property color textColour: "#e6e9ef"

    component Toggle: Rectangle {
        property string label
        property bool checked: false
        width: toggleText.implicitWidth + 16; height: 22; radius: 3
        color: checked ? "#3d5a80" : "#3a4150"
        Text { id: toggleText; anchors.centerIn: parent; text: parent.label; color: "white"; font.pixelSize: 12 }
        MouseArea { anchors.fill: parent; onClicked: parent.checked = !parent.checked }
    }

    component TrackCell: ORBColumnViewCell {
        Text {
            anchors.fill: parent
            anchors.leftMargin: 6; anchors.rightMargin: 6
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
            color: panel.textColour
            font.pixelSize: 12
            text: cellData === undefined ? "" : cellData
        }
    }

    component TrackColumn: ORBColumnViewColumn {
        delegate: Component { TrackCell {} }
        minimumWidth: 40
    }

    Row {
        id: toolbar
        spacing: 8
        Text { text: "ORBColumnView: 1 000 000 tracks"; color: "#8fb4ff"; font.pixelSize: 16; font.bold: true }
        Toggle { id: asyncToggle; label: "asynchronous" }
        Toggle { id: slowToggle; label: "slow model"; onCheckedChanged: trackList.slow = checked }
        Toggle { label: "page up"; onCheckedChanged: { view.scrollPage(true, true); checked = false } }
        Toggle { label: "page down"; onCheckedChanged: { view.scrollPage(false, true); checked = false } }

        // Column picker: search on or off for each searchable column.
        Text { text: "   search in:"; color: "#c8ccd4"; font.pixelSize: 12; anchors.verticalCenter: parent.verticalCenter }
        Repeater {
            model: ORBColumnViewColumnModel { columns: view.columns; showSearchableOnly: true }
            Toggle {
                label: model.title
                checked: model.search
                onCheckedChanged: if (model.search !== checked) model.search = checked
            }
        }
    }

    ItemSelectionModel { id: selection; model: trackList }

    ORBColumnView {
        id: view
        anchors.top: toolbar.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: status.top
        anchors.topMargin: 6
        anchors.bottomMargin: 2
        clip: true
        focus: true
        model: trackList
        selectionModel: selection
        asynchronous: asyncToggle.checked
        columnSpacing: 1
        dragStartTime: 500

        Keys.onPressed: {
            if (event.key === Qt.Key_PageUp || event.key === Qt.Key_PageDown) {
                view.scrollPage(event.key === Qt.Key_PageUp, true)
                event.accepted = true
            }
        }
        onRowClicked: {
            view.currentRowIndex = rowIndex
            selection.select(trackList.index(rowIndex, 0), ItemSelectionModel.ClearAndSelect)
        }
        onRowDoubleClicked: status.text = "played track " + (rowIndex + 1)

        rowDelegate: ORBColumnViewRow {
            defaultHeight: 22
            selectedHeight: 22
            color: isSelectedRow ? "#3d5a80" : (index % 2 ? "#262a31" : "#2c313a")
            border.color: isCurrentRow ? "#8fb4ff" : "transparent"
        }

        header: ORBColumnViewColumnHeader {
            id: header
            width: view.width
            height: 24
            color: "#3a4150"

            Repeater {
                model: view.columns
                Item {
                    id: title
                    readonly property var col: modelData
                    x: (col.moving ? col.dragXPosition : col.xPosition) - view.contentX
                    width: col.width
                    height: header.height
                    visible: col.visible
                    z: col.moving ? 1 : 0

                    Rectangle { anchors.fill: parent; color: col.moving ? "#4a5a78" : "transparent" }
                    Text {
                        anchors.fill: parent
                        anchors.leftMargin: 6; anchors.rightMargin: 14
                        verticalAlignment: Text.AlignVCenter
                        elide: Text.ElideRight
                        color: "white"; font.pixelSize: 12; font.bold: col.sorted
                        text: col.title + (col.sorted ? (col.sortOrder === Qt.AscendingOrder ? "  ▲" : "  ▼") : "")
                    }

                    // Click sorts, drag reorders.
                    MouseArea {
                        anchors.fill: parent
                        anchors.rightMargin: 6
                        property real pressX: 0
                        property bool dragged: false
                        onPressed: { pressX = mouse.x; dragged = false; col.dragXPosition = col.xPosition }
                        onPositionChanged: {
                            if (!dragged && Math.abs(mouse.x - pressX) > 4) {
                                dragged = true
                                col.moving = true
                            }
                            if (dragged)
                                col.dragXPosition = col.xPosition + mouse.x - pressX
                        }
                        onReleased: {
                            if (!dragged)
                                return
                            col.moving = false
                            view.moveColumn(col.index, view.columnIndexAtX(col.dragXPosition + col.width / 2), false)
                        }
                        onClicked: {
                            if (dragged || !col.sortable)
                                return
                            var order = col.sorted ? (col.sortOrder === Qt.AscendingOrder ? Qt.DescendingOrder : Qt.AscendingOrder)
                                                   : col.defaultSortOrder
                            for (var i = 0; i < view.columns.length; ++i)
                                view.columns[i].sorted = false
                            col.sortOrder = order
                            col.sorted = true
                            col.sortIndex = 0
                            trackList.sortByRole(col.role, order)
                        }
                    }

                    // Resize handle on the right edge.
                    MouseArea {
                        width: 6
                        height: parent.height
                        anchors.right: parent.right
                        hoverEnabled: true
                        cursorShape: Qt.SplitHCursor
                        property real pressX: 0
                        property real startWidth: 0
                        onPressed: {
                            pressX = mapToItem(header, mouse.x, 0).x
                            startWidth = col.width
                            header.resizingColumn = true
                            header.overrideMouseCursor(Qt.SplitHCursor)
                        }
                        onPositionChanged: if (pressed) col.width = startWidth + mapToItem(header, mouse.x, 0).x - pressX
                        onReleased: {
                            header.resizingColumn = false
                            header.restoreMouseCursor()
                        }
                        Rectangle { anchors.right: parent.right; width: 1; height: parent.height; color: "#5a6272" }
                    }
                }
            }
        }

        columns: [
            TrackColumn { role: "number"; title: "#"; width: 70; defaultSortOrder: Qt.AscendingOrder; sorted: true; sortOrder: Qt.AscendingOrder; sortIndex: 0; searchable: false },
            TrackColumn { role: "title"; title: "Title"; width: 150; search: true },
            TrackColumn { role: "artist"; title: "Artist"; width: 120; search: true },
            TrackColumn { role: "album"; title: "Album"; width: 100 },
            TrackColumn { role: "genre"; title: "Genre"; width: 90 },
            TrackColumn { role: "bpm"; title: "BPM"; width: 50; searchable: false },
            TrackColumn { role: "key"; title: "Key"; width: 50; searchable: false },
            TrackColumn { role: "length"; title: "Length"; width: 60; searchable: false }
        ]

        dragHandler: ORBDragHandler {
            supportedActions: Qt.CopyAction
            delegate: Component {
                Rectangle {
                    width: 220; height: 28; radius: 4; color: "#2f80ed"
                    Text {
                        anchors.centerIn: parent; color: "white"; font.pixelSize: 12
                        text: view.dragRowData ? "♪ " + view.dragRowData.artist + " – " + view.dragRowData.title : ""
                    }
                }
            }
            onDragFinished: status.text = "drag ended with action " + event.dropAction
        }
        onDragRowDataChanged: {
            if (dragRowData)
                dragHandler.setMimeData("text/plain", dragRowData.artist + " – " + dragRowData.title)
        }

        // The column (by index) whose span holds content x.
        function columnIndexAtX(x) {
            var best = 0
            for (var i = 0; i < columns.length; ++i) {
                var c = columns[i]
                if (c.visible && x >= c.xPosition)
                    best = Math.max(best, c.index)
            }
            return best
        }

        Component.onCompleted: {
            // Setting the model scrolls the first row under the header; show it.
            contentY = 0
            currentRowIndex = 2
            selection.select(trackList.index(2, 0), ItemSelectionModel.ClearAndSelect)
        }
    }

    Text {
        id: status
        anchors.bottom: parent.bottom
        color: "#c8ccd4"; font.pixelSize: 12
        text: "rows read " + (view.asynchronous ? "on the thread pool" : "at once") + (slowToggle.checked ? ", 2 ms each" : "")
    }
}
