import QtQuick 2.15
import QtQuick.Window 2.15
import orbQuick 1.0
import "qrc:/Libs/orbQuick/Controls/Meter"

// What an installed module must show: SVG artwork, a column view's rows built
// from an item model ("loaderModel", one colour per row) and a control of the
// compiled-in library that needs Qt Graphical Effects at run time.
Window {
    width: 300
    height: 100
    visible: true
    color: "white"

    // Pixels checked by the loader once the scene is on screen.
    property var probes: [
        { what: "svg disc", x: 20, y: 50, color: "#d02020" },
        { what: "svg square on the disc", x: 50, y: 50, color: "#20a040" },
        { what: "svg corner", x: 4, y: 4, color: "#ffffff" },
        { what: "row 0", x: 150, y: 10, color: "#c03030" },
        { what: "row 1", x: 150, y: 30, color: "#30a030" },
        { what: "row 2", x: 150, y: 50, color: "#3050d0" },
        { what: "below the rows", x: 150, y: 90, color: "#ffffff" },
        { what: "meter, lower half", x: 250, y: 80, color: "#2040c0" },
        { what: "meter, upper half", x: 250, y: 20, color: "#ffffff" }
    ]

    ORBSvgItem {
        width: 100
        height: 100
        source: "disc.svg"
    }

    ORBColumnView {
        x: 100
        width: 100
        height: 100
        model: loaderModel
        rowDelegate: ORBColumnViewRow { defaultHeight: 20 }
        columns: [
            ORBColumnViewColumn {
                role: "display"
                width: 100
                delegate: ORBColumnViewCell {
                    Rectangle {
                        anchors.fill: parent
                        color: parent.cellData
                    }
                }
            }
        ]
    }

    Item {
        id: meter
        x: 200
        width: 100
        height: 100
        property real volume: 0.5

        ORBMeterLayer {
            content: Component {
                Rectangle { color: "#2040c0" }
            }
        }
    }
}
