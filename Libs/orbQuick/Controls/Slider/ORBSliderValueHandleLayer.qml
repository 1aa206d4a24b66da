import QtQuick 2.15

// A handle that shows the slider's text.
ORBSliderHandleLayer {
    id: handle
    content: valueText

    Component {
        id: valueText
        Text {
            text: handle.slider ? handle.slider.stringValue : ""
            font.bold: true
            color: "black"
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }
}
