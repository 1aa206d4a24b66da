import QtQuick 2.15

// What the host's tooltip presenter shows for the parent item.
Item {
    objectName: "Tooltip"
    anchors.fill: parent
    property int positioning: 0
    property string title: ""
    property string text: ""
    property string shortcut: ""
}
