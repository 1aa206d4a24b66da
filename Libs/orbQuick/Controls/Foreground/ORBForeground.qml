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
        focusTop();
    }

    function focusTop() {
        if (children.length > 0)
            children[children.length - 1].forceActiveFocus();
    }

    // A child that goes away while it has the focus takes the focus out of
    // the window only after it has left the list, so the newest child takes
    // it again once that is over.
    onChildrenChanged: {
        restack();
        Qt.callLater(focusTop);
    }
}
