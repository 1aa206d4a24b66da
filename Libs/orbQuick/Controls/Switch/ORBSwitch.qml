import QtQuick 2.15
import RorazIde 1.0

// A multi-position switch over a list-valued host property: the section under
// the mouse becomes the translator's index.
MouseArea {
    id: control

    property QObjProperty prop: null
    property int handleOffset: 2
    property bool inverse: false
    property bool updateImmediately: true
    property int currentSection: 0
    readonly property int sections: Math.max(1, readInt("numEntries", 1))
    readonly property int translatorIndex: readInt("index", 0)

    // Keeps the index and currentSection from echoing each other.
    property bool syncing: false

    enabled: sections > 1

    // Read through the property every time: a destroyed translator is only
    // announced by the property's own change signal.
    function boundTranslator() {
        return prop ? prop.translator : null;
    }

    function readInt(name, fallback) {
        var number = boundTranslator() ? boundTranslator()[name] : undefined;
        return typeof number === "number" && isFinite(number) ? Math.floor(number) : fallback;
    }

    function clampSection(section) {
        return Math.max(0, Math.min(sections - 1, section));
    }

    function sectionAt(x) {
        if (width <= 0 || !isFinite(x))
            return currentSection;
        var section = clampSection(Math.floor(x / width * sections));
        return inverse ? sections - (section + 1) : section;
    }

    function writeIndex() {
        var t = boundTranslator();
        if (t && t.index !== undefined && t.index !== currentSection)
            t.index = currentSection;
    }

    function followTranslator() {
        syncing = true;
        currentSection = clampSection(translatorIndex);
        syncing = false;
    }

    onTranslatorIndexChanged: followTranslator()
    onSectionsChanged: followTranslator()
    onCurrentSectionChanged: {
        if (!syncing && updateImmediately)
            writeIndex();
    }
    onPositionChanged: {
        if (pressed)
            currentSection = sectionAt(mouse.x);
    }
    onClicked: currentSection = sectionAt(mouse.x)
    onReleased: {
        if (!updateImmediately)
            writeIndex();
    }
    Component.onCompleted: followTranslator()
}
