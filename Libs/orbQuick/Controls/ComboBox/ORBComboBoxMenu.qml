import QtQuick 2.15
import "Basic"
import "../ScrollBar"

// The list of a combo box: one 20-pixel row per entry of model. A click or
// Enter picks a row and reports it through the combo box.
ORBBasicComboBoxMenu {
    id: comboMenu

    property var model: null
    property bool closeOnSelected: true

    function select(row) {
        var comboBox = context;
        if (!comboBox)
            return;
        if (typeof comboBox.currentIndexChanged === "function")
            comboBox.currentIndexChanged(row);
        if (closeOnSelected && typeof comboBox.close === "function")
            comboBox.close("selected");
    }

    backgroundDelegate: Component {
        Rectangle { color: "#888" }
    }

    foregroundDelegate: Component {
        ListView {
            id: list
            clip: true
            focus: true
            boundsBehavior: Flickable.StopAtBounds
            model: comboMenu.model
            currentIndex: {
                var t = comboMenu.context && comboMenu.context.prop ? comboMenu.context.prop.translator : null;
                return t && typeof t.index === "number" ? t.index : 0;
            }

            delegate: Item {
                id: row
                readonly property bool current: ListView.isCurrentItem
                readonly property bool hovered: rowArea.containsMouse
                width: ListView.view ? ListView.view.width : 0
                height: 20

                Rectangle {
                    anchors.fill: parent
                    color: row.hovered ? Qt.lighter("#BBB", 1.15) : "#BBB"
                    opacity: row.current || row.hovered ? 1 : 0
                    Behavior on opacity { NumberAnimation { duration: 50 } }
                }
                Text {
                    x: row.hovered ? 7 : 5
                    anchors.verticalCenter: parent.verticalCenter
                    font.bold: row.current
                    text: model.display !== undefined ? String(model.display)
                                                      : (model.modelData !== undefined ? String(model.modelData) : "")
                    Behavior on x { NumberAnimation { duration: 150 } }
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        list.currentIndex = index;
                        comboMenu.select(index);
                    }
                }
            }

            Keys.onReturnPressed: comboMenu.select(currentIndex)
            Keys.onEnterPressed: comboMenu.select(currentIndex)

            Component.onCompleted: {
                forceActiveFocus();
                var comboBox = comboMenu.context;
                if (comboBox && typeof comboBox.comboBoxOpened === "function")
                    comboBox.comboBoxOpened(list);
            }
        }
    }

    scrollBarDelegate: Component {
        ORBScrollBar {
            width: 10
            Rectangle {
                anchors.fill: parent
                color: "#444"
            }
            ORBScrollBarHandleLayer {
                content: Component {
                    Rectangle {
                        radius: width / 2
                        color: "gray"
                    }
                }
            }
        }
    }
}
