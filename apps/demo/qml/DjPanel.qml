import QtQuick 2.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/Slider"
import "qrc:/Libs/orbQuick/Controls/ComboBox"
import "qrc:/Libs/orbQuick/Controls/Generic/Layers"

// A small DJ panel of the control library: two decks and a mixer between
// them, on the host's translators. A host timer feeds the meters and the
// loading deck, as the audio engine would.
ORBMainWindow {
    id: root

    width: 1240
    height: 250

    Rectangle { anchors.fill: parent; color: "#1b1e23" }

    QObjFlashProperty { id: beat; interval: 400; running: true }

    QObjTranslator { id: crossfader; editable: true; value: 0.5; defaultValue: 0.5; zeroValue: 0.5 }
    QObjProperty { id: crossfaderProp; translator: crossfader }
    QObjTranslator {
        id: output
        readonly property var names: ["Master", "Booth", "Headphones", "Record"]
        editable: true
        numEntries: names.length
        string: names[index]
    }
    QObjProperty { id: outputProp; translator: output }

    DjDeck {
        id: deckA
        x: 10; y: 10
        title: "DECK A"
        playing: true
        bpm: 124
        flashBeat: beat
    }

    DjDeck {
        id: deckB
        x: 710; y: 10
        title: "DECK B"
        loadProgress: 0.35
        bpm: 128.5
        flashBeat: beat
    }

    // The mixer between the decks.
    Column {
        x: 545; y: 20
        width: 150
        spacing: 10

        Text { text: "MIXER"; color: "white"; font.pixelSize: 16; font.bold: true }
        Text { text: "output"; color: "#c8ccd4"; font.pixelSize: 11 }
        ORBComboBox {
            id: outputCombo
            width: 150; height: 24
            prop: outputProp
            Rectangle { anchors.fill: parent; radius: 3; color: outputCombo.opened ? "#4a5160" : "#3b414c" }
            ORBTextLayer { x: 8; width: parent.width - 16; color: "white"; font.pixelSize: 12 }
            ORBComboBoxMenu { model: output.names }
            onCurrentIndexChanged: output.index = currentIndex
        }
        Item { width: 1; height: 60 }
        Text { text: "crossfader"; color: "#c8ccd4"; font.pixelSize: 11 }
        ORBSlider {
            width: 150; height: 28
            prop: crossfaderProp
            Rectangle { anchors.verticalCenter: parent.verticalCenter; width: parent.width; height: 4; color: "#262a31" }
            ORBSliderHandleLayer { content: Component { Rectangle { width: 14; height: 26; radius: 2; color: "#e8e8e8" } } }
        }
    }

    // The host's audio clock: levels follow the playing decks, a deck loads.
    Timer {
        property real phase: 0
        interval: 40
        repeat: true
        running: true
        triggeredOnStart: true
        function level(deck, offset) {
            if (!deck.playTranslator.state)
                return 0;
            var swing = 0.5 + 0.5 * Math.sin(phase * 1.7 + offset) * Math.sin(phase * 0.31 + offset);
            return Math.max(0, Math.min(1, deck.gain.value * deck.volume.value * (0.55 + 0.5 * swing)));
        }
        onTriggered: {
            phase += 0.25;
            for (var i = 0; i < 2; ++i) {
                var deck = i === 0 ? deckA : deckB;
                deck.leftLevel.value = level(deck, 0);
                deck.rightLevel.value = level(deck, 0.8);
            }
            deckB.loadProgress = deckB.loadProgress >= 1 ? 0 : Math.min(1, deckB.loadProgress + 0.004);
        }
    }
}
