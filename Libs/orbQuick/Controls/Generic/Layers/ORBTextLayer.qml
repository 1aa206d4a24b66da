import QtQuick 2.15

// The string of the parent control's host property, one line, elided in the middle.
Text {
    width: parent ? parent.width : 0
    anchors.verticalCenter: parent ? parent.verticalCenter : undefined
    elide: Text.ElideMiddle
    text: parent && parent.prop && parent.prop.translator && typeof parent.prop.translator.string === "string"
          ? parent.prop.translator.string : ""
}
