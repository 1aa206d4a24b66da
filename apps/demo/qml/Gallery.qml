import QtQuick 2.15
import QtQuick.Window 2.15
import orbQuick 1.0

Window {
    id: gallery
    width: 900
    height: 600
    visible: true
    color: "#202329"
    title: "orbQuick gallery"

    component SectionTitle: Text {
        color: "#8fb4ff"
        font.pixelSize: 20
        font.bold: true
    }

    component Caption: Text {
        color: "#c8ccd4"
        font.pixelSize: 13
    }

    component ValidatedField: Row {
        property alias text: input.text
        spacing: 12
        Rectangle {
            width: 140; height: 30
            color: "#2c313a"
            border.color: input.acceptableInput ? "#5fd38d" : "#e06c75"
            TextInput {
                id: input
                anchors.fill: parent
                anchors.margins: 6
                color: "white"
                font.pixelSize: 15
                validator: ORBDoubleValidator { bottom: 0; top: 100; decimals: 2 }
            }
        }
        Caption {
            anchors.verticalCenter: parent.verticalCenter
            text: input.acceptableInput ? "accepted as " + Number(input.text.replace(",", ".")).toFixed(2)
                                        : "not acceptable"
        }
    }

    ORBFont { id: headline; family: "DejaVu Sans"; pointSizeF: 22; weight: Font.Bold }
    ORBFont { id: body; family: "DejaVu Serif"; pointSizeF: 12; letterSpacing: 1 }

    Column {
        anchors.fill: parent
        anchors.margins: 32
        spacing: 14

        Text {
            text: "orbQuick"
            color: "white"
            font: headline.font
        }
        Caption { text: "root object published as orbQuickRoot: " + (orbQuickRoot ? "yes" : "no") }

        SectionTitle { text: "ORBFont" }
        Text {
            text: "pointSizeF 12 is drawn as " + body.pointSizeF.toFixed(2) + " pt for this screen's logical DPI"
            color: "white"
            font: body.font
        }
        Caption { text: "descent " + body.descent.toFixed(2) + " px, letter spacing " + body.letterSpacing }

        SectionTitle { text: "ORBDoubleValidator" }
        Caption { text: "Comma and point are both decimal separators (range 0 to 100, two decimals):" }
        ValidatedField { text: "1,5" }
        ValidatedField { text: "42.25" }
        ValidatedField { text: "123,4" }
    }
}
