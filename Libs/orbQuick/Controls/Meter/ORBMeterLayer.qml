import QtQuick 2.15
import QtGraphicalEffects 1.15

// Shows the lower volume fraction of its content.
Item {
    id: layer
    property Component content: null
    property Item meter: parent
    readonly property real volume: meter && isFinite(meter.volume) ? Math.max(0, Math.min(1, meter.volume)) : 0

    anchors.fill: parent

    Loader {
        id: source
        anchors.fill: parent
        sourceComponent: layer.content
        visible: false
    }

    Rectangle {
        id: mask
        anchors.fill: parent
        visible: false
        gradient: Gradient {
            GradientStop { position: 0.0; color: "transparent" }
            GradientStop { position: 1 - layer.volume; color: "transparent" }
            GradientStop { position: 1 - layer.volume + 0.0001; color: "black" }
            GradientStop { position: 1.0; color: "black" }
        }
    }

    // The mask changes with every volume and is drawn offscreen each time:
    // a column one texel wide holds all of a vertical gradient, and costs a
    // fraction of the full width to fill.
    ShaderEffectSource {
        id: maskTexture
        anchors.fill: parent
        sourceItem: mask
        textureSize: Qt.size(1, Math.max(1, Math.ceil(layer.height)))
        visible: false
    }

    // At volume 0 the mask's stops all sit at 1.0, in no defined order.
    OpacityMask {
        anchors.fill: parent
        visible: layer.volume > 0
        source: source
        maskSource: maskTexture
    }
}
