import QtQuick 2.15

// The switch's handle, one section wide, sliding to the current section.
Item {
    id: handle

    property Component content: null
    property Item control: parent
    readonly property int sections: control && control.sections > 0 ? control.sections : 1
    readonly property int section: control ? control.currentSection : 0
    readonly property int shownSection: control && control.inverse ? sections - (section + 1) : section

    width: control ? control.width / sections : 0
    height: control ? control.height : 0
    x: control ? shownSection / sections * control.width : 0

    Behavior on x {
        NumberAnimation { duration: 75; easing.type: Easing.InQuad; alwaysRunToEnd: true }
    }

    Loader {
        id: loader
        readonly property real offset: handle.control ? handle.control.handleOffset : 0
        sourceComponent: handle.content
        anchors.verticalCenter: parent.verticalCenter
        x: handle.shownSection === 0 ? offset
           : handle.shownSection === handle.sections - 1 ? handle.width - width - offset
           : (handle.width - width) / 2
    }
}
