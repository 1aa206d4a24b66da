import QtQuick 2.15

// The window-wide layer that menus and dialogs open in; the newest child is on
// top and has the focus, children marked alwaysOnTop stay above all others.
Item {
    id: foreground
    anchors.fill: parent

    function restack() {
        var count = children.length;
        for (var i = 0; i < count; ++i) {
            var child = children[i];
            child.z = child.alwaysOnTop !== undefined ? count + 1 : i;
        }
        if (count > 0)
            children[count - 1].forceActiveFocus();
    }

    onChildrenChanged: restack()
}
