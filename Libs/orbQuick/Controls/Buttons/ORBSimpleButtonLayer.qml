import QtQuick 2.15
import "Basic"

// Shows its content whatever the button's state.
ORBBasicButtonLayer {
    objectName: "ORBButtonLayer"
}
