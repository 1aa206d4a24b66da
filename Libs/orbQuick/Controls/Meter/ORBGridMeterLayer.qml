import QtQuick 2.15

// Scale lines over the meter, denser towards the top.
Item {
    id: layer
    property Component content: null
    property int count: 6

    anchors.fill: parent

    Repeater {
        model: layer.count > 0 ? layer.count : 0
        Loader {
            width: layer.width
            height: 1
            y: 1 + Math.pow(index / layer.count, 2) * layer.height
            sourceComponent: layer.content
        }
    }
}
