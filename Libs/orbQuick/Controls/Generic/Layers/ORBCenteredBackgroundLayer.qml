import QtQuick 2.15
import "Basic"

ORBBasicBackgroundLayer {
    anchors.centerIn: parent
}
