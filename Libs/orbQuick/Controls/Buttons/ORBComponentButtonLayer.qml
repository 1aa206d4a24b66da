import QtQuick 2.15
import "Basic"

// Swaps whole components by button state: content holds up, down, upHover,
// downHover, inactive and optionally flash.
ORBBasicButtonLayer {
    id: layer
    objectName: "ORBButtonLayer"

    property bool flashShown: false

    function componentFor(newState) {
        if (!content)
            return null;
        if (flashShown && content.flash)
            return content.flash;
        switch (newState) {
        case "Down": return content.down || null;
        case "HoverOnDown": return content.downHover || null;
        case "HoverOnUp": return content.upHover || null;
        case "Inactive": return content.inactive || null;
        default: return content.up || null;
        }
    }

    function setFlashState(flashState) {
        flashShown = flashState === "Flashing";
    }

    sourceComponent: componentFor(currentButtonState)
}
