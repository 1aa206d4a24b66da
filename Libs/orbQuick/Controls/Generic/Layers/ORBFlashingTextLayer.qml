import QtQuick 2.15

// Text that lights up in the highlight colour whenever it changes.
ORBTextLayer {
    id: label
    property color textColor: "black"
    property color highlightColor: "white"

    color: textColor
    onTextChanged: flash.restart()

    ColorAnimation {
        id: flash
        target: label
        property: "color"
        from: label.highlightColor
        to: label.textColor
        easing.type: Easing.InQuad
    }
}
