import QtQuick 2.15
import "../Buttons"

// A button that opens and closes a menu. The menu (an ORBForegroundLayerMenu
// declared inside it) builds itself on menuOpened and goes on menuClosed.
ORBButton {
    id: context
    objectName: "ORBContext"

    readonly property ORBContextOpenModes modes: ORBContextOpenModes {}
    property int openMode: modes.rightButtonClick
    property bool opened: false
    property point pressedPos: Qt.point(0, 0)

    signal menuOpened()
    signal menuClosed(string reason)

    enabled: true
    buttonActive: opened
    acceptedButtons: ((openMode & (modes.leftButtonClick | modes.leftButtonDoubleClick)) ? Qt.LeftButton : 0)
                     | ((openMode & modes.rightButtonClick) ? Qt.RightButton : 0)

    function open() {
        if (opened)
            return;
        opened = true;
        menuOpened();
    }

    function close(reason) {
        closeTimer.stop();
        if (!opened)
            return;
        opened = false;
        menuClosed(reason === undefined ? "" : String(reason));
    }

    function delayedClose() {
        closeTimer.restart();
    }

    function toggle(mouse) {
        forceActiveFocus();
        pressedPos = Qt.point(mouse.x, mouse.y);
        if (opened)
            close("toggled");
        else
            open();
    }

    onClicked: {
        if ((mouse.button === Qt.LeftButton && (openMode & modes.leftButtonClick))
                || (mouse.button === Qt.RightButton && (openMode & modes.rightButtonClick)))
            toggle(mouse);
    }
    onDoubleClicked: {
        if (mouse.button === Qt.LeftButton && (openMode & modes.leftButtonDoubleClick))
            toggle(mouse);
    }

    Timer {
        id: closeTimer
        interval: 100
        onTriggered: context.close("delayedClose")
    }
}
