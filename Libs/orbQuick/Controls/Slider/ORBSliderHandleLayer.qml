import QtQuick 2.15

// The slider's handle, placed along the slide at handleValue.
Loader {
    id: handle

    property Component content: null
    property Item slider: parent
    property real border: 1
    property real handleValue: slider && isFinite(slider.value) ? slider.value : 0
    readonly property bool sliderHorizontal: slider ? slider.horizontal === true : true

    function slidePosition(sliderLength, handleLength) {
        var space = (sliderLength - handleLength) - 2 * border;
        return border + (1 - handleValue) * space;
    }

    sourceComponent: content
    z: 2
    opacity: slider && slider.enabled ? 1.0 : 0.3
    x: !slider ? 0 : sliderHorizontal ? slidePosition(slider.width, width) : (slider.width - width) / 2
    y: !slider ? 0 : sliderHorizontal ? (slider.height - height) / 2 : slidePosition(slider.height, height)
}
