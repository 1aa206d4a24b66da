import QtQuick 2.15
import "Basic"

// Colours the loaded artwork by button state; artwork with a flashColor
// shows it while the button flashes.
ORBBasicButtonLayer {
    id: layer
    objectName: "ORBSvgButtonLayer"

    property color upColor: "#808080"
    property color downColor: "#ffffff"
    property color upHoverColor: "#a0a0a0"
    property color downHoverColor: "#e0e0e0"
    property color inactiveColor: "#404040"
    readonly property bool buttonFlashing: button ? button.flashing === true : false

    handleFlashState: item !== null && item.flashColor !== undefined

    function colorFor(newState) {
        switch (newState) {
        case "Down": return downColor;
        case "HoverOnDown": return downHoverColor;
        case "HoverOnUp": return upHoverColor;
        case "Inactive": return inactiveColor;
        default: return upColor;
        }
    }

    function paint(color) {
        if (item && item.color !== undefined)
            item.color = color;
    }

    function setState(newState) {
        currentButtonState = newState;
        if (!(handleFlashState && buttonFlashing))
            paint(colorFor(newState));
    }

    function setFlashState(flashState) {
        if (!handleFlashState)
            return;
        if (flashState === "Flashing") {
            paint(item.flashColor);
            return;
        }
        var up = currentButtonState === "Up" || currentButtonState === "HoverOnUp";
        paint(up ? upColor : downColor);
    }

    onHandleFlashStateChanged: {
        if (!handleFlashState)
            setState(currentButtonState);
    }
}
