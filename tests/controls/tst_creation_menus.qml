import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/Context"
import "qrc:/Libs/orbQuick/Controls/ComboBox"
import "qrc:/Libs/orbQuick/Controls/ComboBox/Basic"
import "qrc:/Libs/orbQuick/Controls/Foreground"
import "qrc:/Libs/orbQuick/Controls/ScrollBar"
import "qrc:/Libs/orbQuick/Controls/TextInputField"

// Every menu, combo box, scroll bar and text field type, made bound and
// unbound, inside and outside a context: none of them may say anything.
ORBMainWindow {
    id: root

    QObjTranslator { id: bound; editable: true; numEntries: 2; string: "text" }
    QObjProperty { id: boundProp; translator: bound }
    QObjProperty { id: emptyProp }

    Component { id: openModes; ORBContextOpenModes {} }
    Component { id: context; ORBContext {} }
    Component { id: contextMenu; ORBContextMenu {} }
    Component { id: comboBox; ORBComboBox {} }
    Component { id: comboBoxMenu; ORBComboBoxMenu {} }
    Component { id: basicComboBoxMenu; ORBBasicComboBoxMenu {} }
    Component { id: menuBase; ORBForegroundLayerMenuBase {} }
    Component { id: menu; ORBForegroundLayerMenu {} }
    Component { id: menuContent; ORBForegroundLayerMenuContent {} }
    Component { id: scrollBar; ORBScrollBar {} }
    Component { id: handleLayer; ORBScrollBarHandleLayer {} }
    Component { id: textField; ORBTextInputField {} }

    Item { id: plainParent; width: 100; height: 100 }

    TestCase {
        name: "CreationOfMenusAndFields"
        when: windowShown

        function makeAll(parentItem) {
            var all = [openModes, context, contextMenu, comboBox, comboBoxMenu, basicComboBoxMenu,
                       menuBase, menu, menuContent, scrollBar, handleLayer, textField];
            for (var i = 0; i < all.length; ++i)
                verify(createTemporaryObject(all[i], parentItem) !== null, "type " + i);
        }

        function test_unboundEverywhere() {
            makeAll(root);
            makeAll(plainParent);
            makeAll(null);
        }

        function test_insideAContextAndAComboBox() {
            makeAll(createTemporaryObject(context, root));
            makeAll(createTemporaryObject(comboBox, root, { prop: boundProp }));
            makeAll(createTemporaryObject(comboBox, root, { prop: emptyProp }));
            makeAll(createTemporaryObject(scrollBar, root));
        }

        function test_boundAndUnboundFields() {
            var field = createTemporaryObject(textField, root, { prop: boundProp });
            compare(field.text, "text");
            verify(field.enabled);
            field = createTemporaryObject(textField, root, { prop: emptyProp });
            compare(field.text, "");
            verify(field.enabled);
        }

        function test_comboMenuCountsEntries() {
            var box = createTemporaryObject(comboBox, root, { prop: boundProp });
            var list = createTemporaryObject(comboBoxMenu, box);
            compare(list.itemCount, 2);
            compare(list.foregroundDelegateItemWidth, box.width);
            list = createTemporaryObject(comboBoxMenu, root);
            compare(list.itemCount, 0);
        }
    }
}
