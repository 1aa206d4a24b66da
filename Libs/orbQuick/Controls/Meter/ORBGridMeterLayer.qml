import QtQuick 2.15

// Scale lines over the meter, denser towards the top.
Item {
    // Not "layer": inside the delegate that name is the item's own layer property.
    id: gridLayer
    property Component content: null
    property int count: 6

    anchors.fill: parent

    Repeater {
        model: gridLayer.count > 0 ? gridLayer.count : 0
        Loader {
            width: gridLayer.width
            height: 1
            y: 1 + Math.pow(index / gridLayer.count, 2) * gridLayer.height
            sourceComponent: gridLayer.content
        }
    }
}
