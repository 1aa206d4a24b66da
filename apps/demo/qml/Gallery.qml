import QtQuick 2.15
import QtQuick.Window 2.15
import orbQuick 1.0

Window {
    id: gallery
    width: 1240
    height: 1250
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
        id: basics
        width: 420
        anchors.top: parent.top
        anchors.left: parent.left
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
            width: parent.width
            wrapMode: Text.Wrap
            text: "pointSizeF 12 is drawn as " + body.pointSizeF.toFixed(2) + " pt for this screen's logical DPI"
            color: "white"
            font: body.font
        }
        Caption { text: "descent " + body.descent.toFixed(2) + " px, letter spacing " + body.letterSpacing }

        SectionTitle { text: "ORBDoubleValidator" }
        Caption {
            width: parent.width
            wrapMode: Text.Wrap
            text: "Comma and point are both decimal separators (range 0 to 100, two decimals):"
        }
        ValidatedField { text: "1,5" }
        ValidatedField { text: "42.25" }
        ValidatedField { text: "123,4" }
    }

    // SVG artwork from the test corpus, drawn as distance-field quads.
    Column {
        anchors.top: parent.top
        anchors.left: basics.right
        anchors.right: parent.right
        anchors.margins: 32
        spacing: 12

        SectionTitle { text: "ORBSvgItem: one document at three sizes" }
        Row {
            spacing: 12
            Repeater {
                model: [100, 200, 300]
                Rectangle {
                    width: modelData; height: modelData * 0.75; color: "white"
                    ORBSvgItem { anchors.fill: parent; source: corpus + "w3c-tiny/paths-data-01-t.svg" }
                }
            }
        }

        Row {
            spacing: 12
            Column {
                spacing: 4
                Caption { text: "8x, a detail: edges stay sharp" }
                Rectangle {
                    width: 240; height: 180; color: "white"; clip: true
                    ORBSvgItem {
                        x: -2400; y: -420
                        width: 480 * 8; height: 360 * 8
                        source: corpus + "w3c-tiny/shapes-polygon-01-t.svg"
                    }
                }
            }
            Column {
                spacing: 4
                Caption { text: "ORBSvgNode: recolour, rotate" }
                Rectangle {
                    width: 240; height: 180; color: "white"
                    ORBSvgItem {
                        anchors.fill: parent
                        source: corpus + "w3c-tiny/shapes-polygon-01-t.svg"
                        ORBSvgNode {
                            nodeId: "polygon-02"
                            fillColor: "#eb5757"
                            SequentialAnimation on fillColor {
                                loops: Animation.Infinite
                                ColorAnimation { to: "#2f80ed"; duration: 900 }
                                ColorAnimation { to: "#eb5757"; duration: 900 }
                            }
                        }
                        ORBSvgNode {
                            nodeId: "polygon-03"
                            // Rotates about the element's centre: the item's
                            // transform origin is the middle of its box.
                            width: 2 * (boundingBox.x + boundingBox.width / 2)
                            height: 2 * (boundingBox.y + boundingBox.height / 2)
                            RotationAnimation on rotation {
                                from: 0; to: 360; duration: 4000; loops: Animation.Infinite
                            }
                        }
                    }
                }
            }
            Column {
                spacing: 4
                Caption { text: "Linear and radial gradients" }
                Rectangle {
                    width: 240; height: 180; color: "white"
                    ORBSvgItem { anchors.fill: parent; source: corpus + "w3c-tiny/paint-grad-04-t.svg" }
                }
            }
        }
    }

    ColumnViewPanel { x: 32; y: 520; width: parent.width - 64; height: 216 }
    KnobPanel { anchors.left: parent.left; anchors.bottom: djPanel.top; anchors.margins: 32 }
    DragDropPanel { anchors.right: parent.right; anchors.bottom: djPanel.top; anchors.margins: 32 }
    TreeViewPanel {
        x: 436
        anchors.bottom: djPanel.top
        anchors.bottomMargin: 32
        width: 396
        height: 230
    }
    DjPanel { id: djPanel; anchors.bottom: parent.bottom }
}
