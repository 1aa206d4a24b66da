import QtQuick 2.15

// One entry of a list-valued host property: active while it is the selected
// entry, selects it when clicked.
ORBButton {
    id: button
    objectName: "ORBStringListButton"
    property int index: 0
    property bool alwaysSend: false
    readonly property var selectedIndex: prop && prop.translator ? prop.translator.index : undefined

    buttonActive: selectedIndex === index

    onClicked: {
        var t = translatorOf(prop);
        if (t && t.index !== undefined && (t.index !== index || alwaysSend))
            t.index = index;
    }
}
