import QtQuick 2.15

Rectangle {
    property string title: ""
    width: 100
    height: 50
}
