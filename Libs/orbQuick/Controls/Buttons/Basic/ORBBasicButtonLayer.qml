import QtQuick 2.15

// Fills its button with content and passes on the button's state changes to
// the overridable setState and setFlashState.
Loader {
    id: layer
    objectName: "ORBBasicButtonLayer"

    property var content: null
    property Item button: parent
    property bool mirrorContent: false
    property string currentButtonState: "Up"
    property bool handleFlashState: false

    function setState(newState) {
        currentButtonState = newState;
    }

    function setFlashState(flashState) {}

    function refreshButton() {
        if (button && typeof button.updateButtonState === "function")
            button.updateButtonState();
    }

    anchors.fill: parent
    sourceComponent: content

    onLoaded: {
        if (item && item.mirror !== undefined)
            item.mirror = Qt.binding(function() { return layer.mirrorContent; });
        refreshButton();
    }
    Component.onCompleted: refreshButton()

    Connections {
        target: layer.button
        ignoreUnknownSignals: true
        function onButtonStateChanged(newState, handleContentOpacity) { layer.setState(newState) }
        function onButtonFlashStateChanged(flashState) { layer.setFlashState(flashState) }
    }
}
