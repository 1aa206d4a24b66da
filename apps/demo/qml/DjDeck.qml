import QtQuick 2.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Controls/Knobs"
import "qrc:/Libs/orbQuick/Controls/Slider"
import "qrc:/Libs/orbQuick/Controls/Buttons"
import "qrc:/Libs/orbQuick/Controls/Meter"
import "qrc:/Libs/orbQuick/Controls/Context"
import "qrc:/Libs/orbQuick/Controls/Foreground"
import "qrc:/Libs/orbQuick/Controls/ProgressBar"
import "qrc:/Libs/orbQuick/Controls/TextInputField"

// One deck of the DJ panel: title with its context menu, load progress, BPM,
// gain and three-band EQ, transport buttons, volume fader and a stereo meter
// pair. All state lives in the host's translators below.
Rectangle {
    id: deck

    property string title: "DECK"
    property bool playing: false
    property real loadProgress: 1
    property real bpm: 124
    // The shared beat of flashing buttons.
    property QObjProperty flashBeat: null

    readonly property alias playTranslator: play
    readonly property alias leftLevel: leftLevel
    readonly property alias rightLevel: rightLevel
    readonly property alias gain: gain
    readonly property alias volume: volume

    width: 520
    height: 230
    radius: 6
    color: "#262a31"
    border.color: "#3b414c"

    // The host's side of the deck.
    QObjTranslator { id: gain; editable: true; value: 0.7; defaultValue: 0.7 }
    QObjTranslator { id: high; editable: true; value: 0.5; defaultValue: 0.5; zeroValue: 0.5 }
    QObjTranslator { id: mid; editable: true; value: 0.62; defaultValue: 0.5; zeroValue: 0.5 }
    QObjTranslator { id: low; editable: true; value: 0.35; defaultValue: 0.5; zeroValue: 0.5 }
    QObjTranslator { id: volume; editable: true; value: 0.8; defaultValue: 0.8; showSoft: true; softValue: 0.65 }
    QObjTranslator { id: play; editable: true; state: deck.playing; flashing: !state }
    QObjTranslator { id: cue; editable: true }
    QObjTranslator {
        id: loop
        readonly property var lengths: ["1/4", "1/2", "1", "2", "4", "8"]
        editable: true
        numEntries: lengths.length
        string: "LOOP " + lengths[index]
        // The index is only taken once the list has its entries.
        Component.onCompleted: index = 4
    }
    QObjTranslator { id: leftLevel }
    QObjTranslator { id: rightLevel }
    QObjTranslator { id: loading; value: deck.loadProgress }
    QObjTranslator {
        id: tempo
        editable: true
        minimum: 60
        maximum: 200
        Component.onCompleted: unnormalized = deck.bpm
        onValueChanged: string = unnormalized.toFixed(1)
        onStringChanged: {
            var typed = parseFloat(string);
            if (isFinite(typed) && Math.abs(typed - unnormalized) > 1e-9)
                unnormalized = typed;
        }
    }

    QObjProperty { id: gainProp; translator: gain }
    QObjProperty { id: highProp; translator: high }
    QObjProperty { id: midProp; translator: mid }
    QObjProperty { id: lowProp; translator: low }
    QObjProperty { id: volumeProp; translator: volume }
    QObjProperty { id: playProp; translator: play; translatorType: 1 }
    QObjProperty { id: cueProp; translator: cue; translatorType: 2 }
    QObjProperty { id: loopProp; translator: loop }
    QObjProperty { id: leftProp; translator: leftLevel }
    QObjProperty { id: rightProp; translator: rightLevel }
    QObjProperty { id: loadingProp; translator: loading }
    QObjProperty { id: tempoProp; translator: tempo }

    component Label: Text {
        color: "#c8ccd4"
        font.pixelSize: 11
        horizontalAlignment: Text.AlignHCenter
    }

    component DeckKnob: Column {
        id: deckKnob
        property alias prop: knob.prop
        property alias label: caption.text
        property real anchor: 0
        spacing: 2
        ORBKnob {
            id: knob
            width: 56; height: 56
            ORBSvgKnobLayer {
                width: 56; height: 56
                content: Component { SvgKnob { width: 56; height: 56; normalizedCoronaAnchorPos: deckKnob.anchor } }
            }
        }
        Label { id: caption; width: 56 }
    }

    // The looks of a deck button, placed inside the button it draws.
    component DeckButton: Item {
        id: looks
        property alias text: label.text
        property color downColor: "#f2a33a"
        anchors.fill: parent
        ORBButtonLayer {
            button: looks.parent
            upColor: "#3b414c"; upHoverColor: "#4a5160"
            downColor: parent.downColor; downHoverColor: Qt.lighter(parent.downColor, 1.15)
            inactiveColor: "#2c313a"
            content: Component { Rectangle { radius: 4 } }
        }
        ORBSyncedFlashingButtonLayer {
            button: looks.parent
            pFlash: deck.flashBeat
            content: Component { Rectangle { radius: 4; color: "#5fd38d" } }
        }
        Text {
            id: label
            anchors.centerIn: parent
            color: "white"
            font.pixelSize: 12
            font.bold: true
        }
    }

    // Title, with the deck's context menu on a right click.
    ORBContext {
        id: titleContext
        x: 12; y: 8; width: 150; height: 22
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: deck.title
            color: titleContext.opened ? "#f2a33a" : "white"
            font.pixelSize: 16
            font.bold: true
        }
        ORBContextMenu {
            content: Component {
                ORBForegroundLayerMenuContent {
                    id: menu
                    width: 140; height: 72
                    Rectangle { anchors.fill: parent; color: "#3b414c"; border.color: "#8fb4ff" }
                    Column {
                        anchors.fill: parent
                        anchors.margins: 4
                        Repeater {
                            model: ["Load track", "Eject", "Reset EQ"]
                            Text {
                                width: parent.width; height: 21
                                text: modelData; color: "white"; font.pixelSize: 12
                                verticalAlignment: Text.AlignVCenter
                                MouseArea {
                                    anchors.fill: parent
                                    onClicked: {
                                        if (index === 2) {
                                            high.setValueToDefault();
                                            mid.setValueToDefault();
                                            low.setValueToDefault();
                                        }
                                        menu.close();
                                    }
                                }
                            }
                        }
                    }
                }
            }
        }
    }

    ORBProgressBar {
        x: 170; y: 12; width: 200
        progressProp: loadingProp
        progressBarColor: "#8fb4ff"
    }

    // BPM: type a value, or turn the wheel over it for single steps.
    Rectangle {
        x: 390; y: 8; width: 70; height: 22
        color: "#1b1e23"; border.color: "#3b414c"
        ORBTextInputField {
            anchors.fill: parent
            anchors.margins: 4
            prop: tempoProp
            stepwiseAlterationByInteraction: true
            gainFocusOnDoubleClick: true
            color: "#f2c94c"
            font.pixelSize: 12
            horizontalAlignment: TextInput.AlignRight
        }
    }
    Label { x: 464; y: 12; text: "BPM" }

    Row {
        x: 12; y: 44
        spacing: 10
        DeckKnob { prop: gainProp; label: "GAIN" }
        DeckKnob { prop: highProp; label: "HIGH"; anchor: 0.5 }
        DeckKnob { prop: midProp; label: "MID"; anchor: 0.5 }
        DeckKnob { prop: lowProp; label: "LOW"; anchor: 0.5 }
    }

    Row {
        x: 12; y: 130
        spacing: 8
        ORBToggleButton {
            width: 64; height: 30
            prop: playProp
            DeckButton { text: "PLAY"; downColor: "#5fd38d" }
        }
        ORBHoldButton {
            width: 64; height: 30
            prop: cueProp
            DeckButton { text: "CUE" }
        }
        ORBCycleButton {
            width: 80; height: 30
            prop: loopProp
            DeckButton { text: loop.string; downColor: "#8fb4ff" }
        }
    }
    Label { x: 12; y: 168; text: "loop: left click longer, right click shorter" }

    // Volume fader with the soft handle (where the automation would take it).
    ORBSlider {
        id: fader
        x: 300; y: 44; width: 28; height: 170
        prop: volumeProp
        Rectangle { anchors.horizontalCenter: parent.horizontalCenter; width: 4; height: parent.height; color: "#1b1e23" }
        ORBSliderSoftHandleLayer { content: Component { Rectangle { width: 26; height: 12; radius: 2; color: "#8fb4ff" } } }
        ORBSliderHandleLayer { content: Component { Rectangle { width: 26; height: 12; radius: 2; color: "#e8e8e8" } } }
    }
    Label { x: 334; y: 200; text: "VOL" }

    component LevelMeter: ORBMeter {
        width: 10; height: 170
        Rectangle { anchors.fill: parent; color: "#1b1e23" }
        ORBMeterLayer {
            content: Component {
                Rectangle {
                    gradient: Gradient {
                        GradientStop { position: 0.0; color: "#eb5757" }
                        GradientStop { position: 0.2; color: "#f2c94c" }
                        GradientStop { position: 1.0; color: "#5fd38d" }
                    }
                }
            }
        }
        ORBGridMeterLayer { content: Component { Rectangle { color: "#262a31" } } }
        ORBPeakMeterLayer { color: clipping ? "#eb5757" : "white" }
    }

    Row {
        x: 370; y: 44
        spacing: 3
        LevelMeter { pVolume: leftProp }
        LevelMeter { pVolume: rightProp }
    }
    Label { x: 366; y: 218; text: "L   R" }
}
