import QtQuick 2.15
import "../../Foreground"

// The frame of a combo box's list: a background, an optional header over the
// combo box, the list itself and a scroll bar, as wide as the combo box and
// at most foregroundDelegateMaximumHeight high.
ORBForegroundLayerMenu {
    id: menu

    property Component backgroundDelegate: null
    property Component foregroundDelegate: null
    property Component foregroundHeaderDelegate: null
    property Component scrollBarDelegate: null
    property real foregroundDelegateItemWidth: context ? context.width : 0
    property real foregroundDelegateMaximumHeight: 400
    readonly property int itemCount: {
        var t = context && context.prop ? context.prop.translator : null;
        return t && typeof t.numEntries === "number" ? t.numEntries : 0;
    }

    menuOrigin: foregroundHeaderDelegate ? Qt.point(0, 0) : Qt.point(0, context ? context.height : 0)

    content: Component {
        ORBForegroundLayerMenuContent {
            id: frame

            readonly property Item list: foreground.item
            readonly property real headerHeight: header.item ? header.item.height : 0
            readonly property real listHeight: {
                if (!list)
                    return 0;
                return typeof list.contentHeight === "number" ? list.contentHeight : list.implicitHeight;
            }

            width: menu.foregroundDelegateItemWidth
            height: Math.min(menu.foregroundDelegateMaximumHeight, listHeight + headerHeight)
            onHeightChanged: menu.updatePosition()

            Loader {
                anchors.fill: frame
                sourceComponent: menu.backgroundDelegate
            }
            Loader {
                id: header
                width: frame.width
                sourceComponent: menu.foregroundHeaderDelegate
            }
            Loader {
                id: foreground
                y: frame.headerHeight
                width: frame.width
                height: frame.height - frame.headerHeight
                focus: true
                sourceComponent: menu.foregroundDelegate
            }
            Loader {
                anchors.right: frame.right
                y: frame.headerHeight
                height: frame.height - frame.headerHeight
                sourceComponent: menu.scrollBarDelegate
                onLoaded: {
                    if (item.delegate !== undefined)
                        item.delegate = Qt.binding(function() { return frame.list; });
                }
            }
        }
    }
}
