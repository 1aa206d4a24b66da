import QtQuick 2.15
import "../Generic/Layers/Basic"

// The picture of a scroll bar's handle, declared inside an ORBScrollBar.
ORBBasicBackgroundLayer {
    readonly property Item handle: parent && parent.handle !== undefined ? parent.handle : null
    x: handle ? handle.x : 0
    y: handle ? handle.y : 0
    width: handle ? handle.width : 0
    height: handle ? handle.height : 0
}
