import QtQuick 2.15

// Menu content that does not compile: the property does not exist.
Item {
    noSuchProperty: 1
}
