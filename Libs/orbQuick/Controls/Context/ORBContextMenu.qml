import QtQuick 2.15
import "../Foreground"

// A context's menu, opened centred over the context.
ORBForegroundLayerMenu {
    anchors.centerIn: parent
    anchors.verticalCenterOffset: -2
    menuOrigin: Qt.point(0, 0)
}
