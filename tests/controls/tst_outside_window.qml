import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Controls/Context"
import "qrc:/Libs/orbQuick/Controls/ComboBox"
import "qrc:/Libs/orbQuick/Controls/Foreground"
import "qrc:/Libs/orbQuick/Controls/ScrollBar"
import "qrc:/Libs/orbQuick/Controls/TextInputField"

// The controls in a document that is not built on ORBMainWindow: there is no
// "root" to open menus in.
Item {
    id: page
    width: 640
    height: 480

    QObjTranslator { id: choice; editable: true; numEntries: 2 }
    QObjProperty { id: choiceProp; translator: choice }

    Component {
        id: menuContent
        ORBForegroundLayerMenuContent { width: 100; height: 50 }
    }

    ORBContext {
        id: context
        x: 10; y: 10; width: 60; height: 30
        ORBContextMenu { id: menu; content: menuContent }
    }
    ORBComboBox {
        id: combo
        x: 100; y: 10; width: 100; height: 24
        prop: choiceProp
        ORBComboBoxMenu { model: ["one", "two"] }
    }
    ORBScrollBar { x: 300; y: 10; width: 10; height: 100 }
    ORBTextInputField { x: 10; y: 200; width: 100; height: 20; prop: choiceProp }

    SignalSpy { id: closedSpy; target: context; signalName: "menuClosed" }

    TestCase {
        name: "OutsideMainWindow"
        when: windowShown

        function test_menuSaysOnceThatItHasNowhereToOpen() {
            ignoreWarning("ORBForegroundLayerMenu: no ORBMainWindow (identifier root) to open the menu in");
            mouseClick(context, 10, 10, Qt.RightButton);
            verify(!context.opened);
            compare(closedSpy.count, 1);
            compare(closedSpy.signalArguments[0][0], "failed");
            compare(menu.foregroundLayer, null);
            compare(menu.contentItem, null);
        }

        function test_comboBoxSaysSoToo() {
            ignoreWarning("ORBForegroundLayerMenu: no ORBMainWindow (identifier root) to open the menu in");
            mouseClick(combo, 10, 10);
            verify(!combo.opened);
            // A second attempt says it again, and only once.
            ignoreWarning("ORBForegroundLayerMenu: no ORBMainWindow (identifier root) to open the menu in");
            mouseClick(combo, 10, 10);
            verify(!combo.opened);
        }
    }
}
