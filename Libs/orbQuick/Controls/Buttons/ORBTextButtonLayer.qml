import QtQuick 2.15

// A coloured button layer with a centred label.
ORBButtonLayer {
    id: layer

    property color color: "white"
    property alias text: label.text
    property alias font: label.font
    property alias wrapMode: label.wrapMode
    property alias horizontalAlignment: label.horizontalAlignment
    property alias verticalAlignment: label.verticalAlignment
    property alias elide: label.elide
    property alias maximumLineCount: label.maximumLineCount
    property alias lineHeight: label.lineHeight
    property alias lineHeightMode: label.lineHeightMode
    property alias implicidTextWidth: label.implicitWidth

    Text {
        id: label
        anchors.centerIn: parent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        color: layer.item && layer.item.color !== undefined ? layer.item.color : layer.color
    }
}
