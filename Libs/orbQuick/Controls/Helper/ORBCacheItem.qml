import QtQuick 2.15

// Caches its first child as a layer when the main window asks for it.
Item {
    id: cache
    readonly property bool caching: typeof root !== "undefined" && root && root.cacheItems === true

    function apply() {
        if (children.length > 0)
            children[0].layer.enabled = caching;
    }

    onCachingChanged: apply()
    onChildrenChanged: apply()
}
