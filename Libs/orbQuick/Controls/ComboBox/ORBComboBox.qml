import QtQuick 2.15
import "../Context"

// A context that opens its list on a left click; the list reports the chosen row.
ORBContext {
    id: comboBox
    objectName: "ORBComboBox"

    signal currentIndexChanged(int currentIndex)
    signal comboBoxOpened(ListView listView)

    openMode: modes.leftButtonClick
    preventStealing: true
}
