import QtQuick 2.15
import orbQuick 1.0
import RorazIde 1.0

// The base of every button: works out the visual state that layers show, and
// which host property a press addresses (Shift and Alt pick alternatives).
ORBMouseArea {
    id: button
    objectName: "ORBButton"

    property QObjProperty prop: null
    property QObjProperty shiftProp: null
    property QObjProperty altProp: null
    property QObjProperty stateProp: null
    property QObjProperty pressedProp: null
    property bool keepButtonStateWhenDisabled: false
    property bool buttonActive: readFlag(stateProp, "state", readFlag(prop, "state", false))
    readonly property bool flashing: readFlag(stateProp, "flashing", false) === true
                                     || readFlag(prop, "flashing", false) === true
    readonly property bool shiftState: readFlag(shiftProp, "state", false)

    signal buttonStateChanged(string newState, bool handleContentOpacity)
    signal buttonFlashStateChanged(string flashState)

    enabled: readFlag(prop, "editable", false)
    hoverEnabled: enabled

    function translatorOf(property) {
        return property ? property.translator : null;
    }

    function readFlag(property, name, fallback) {
        var t = translatorOf(property);
        var flag = t ? t[name] : undefined;
        return typeof flag === "boolean" ? flag : fallback;
    }

    // The property a press with these modifiers addresses.
    function pickProp(modifiers) {
        if (modifiers === Qt.ShiftModifier && translatorOf(shiftProp))
            return shiftProp;
        if (modifiers === Qt.AltModifier && translatorOf(altProp))
            return altProp;
        return prop;
    }

    function writeState(property, on) {
        var t = translatorOf(property);
        if (t && t.state !== undefined)
            t.state = on;
    }

    function toggleState(property) {
        var t = translatorOf(property);
        if (t && t.state !== undefined)
            t.state = !t.state;
    }

    function writeValue(property, value) {
        var t = translatorOf(property);
        if (t && t.value !== undefined)
            t.value = value;
    }

    function updateButtonState() {
        var disabled = !enabled;
        if (disabled && !keepButtonStateWhenDisabled) {
            buttonStateChanged("Inactive", false);
            return;
        }
        var keep = disabled && keepButtonStateWhenDisabled;
        // Hover is off while disabled, and containsMouse is then stale.
        var hovered = containsMouse && hoverEnabled;
        if (hovered && buttonActive && !pressed)
            buttonStateChanged("HoverOnDown", keep);
        else if (hovered && !buttonActive && !pressed)
            buttonStateChanged("HoverOnUp", keep);
        else if (buttonActive || pressed)
            buttonStateChanged("Down", keep);
        else
            buttonStateChanged("Up", keep);
    }

    onPressed: {
        forceActiveFocus();
        pressedProp = pickProp(mouse.modifiers);
        updateButtonState();
    }
    onReleased: updateButtonState()
    onClicked: updateButtonState()
    onEntered: updateButtonState()
    onExited: {
        if (!pressed)
            updateButtonState();
    }
    onKeepButtonStateWhenDisabledChanged: updateButtonState()
    onEnabledChanged: updateButtonState()
    onButtonActiveChanged: updateButtonState()
    onShiftStateChanged: updateButtonState()
    onFlashingChanged: buttonFlashStateChanged(flashing ? "Flashing" : "NotFlashing")
    Component.onCompleted: updateButtonState()
}
