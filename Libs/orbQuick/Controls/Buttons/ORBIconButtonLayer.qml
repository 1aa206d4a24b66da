import QtQuick 2.15
import "Basic"

// Shows its content centred in the button, at the content's own size.
ORBBasicButtonLayer {
    objectName: "ORBSimpleIconButtonLayer"
    anchors.fill: undefined
    anchors.centerIn: parent
}
