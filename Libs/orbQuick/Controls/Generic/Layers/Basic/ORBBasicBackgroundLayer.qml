import QtQuick 2.15

// Shows a background component.
Loader {
    property Component content: null
    sourceComponent: content
}
