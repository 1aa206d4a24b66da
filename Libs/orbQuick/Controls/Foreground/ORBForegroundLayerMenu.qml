import QtQuick 2.15

// A layer menu that places its content at the menu's origin, kept inside the window.
ORBForegroundLayerMenuBase {
    id: menu

    function updatePosition() {
        if (!contentItem || !layer)
            return;
        var window = mainWindow();
        var origin = window ? menu.mapToItem(window, menuOrigin.x, menuOrigin.y)
                            : Qt.point(menuOrigin.x, menuOrigin.y);
        var x = Math.max(0, origin.x);
        var y = Math.max(0, origin.y);
        var scaledWidth = contentItem.width * contentItem.scale;
        var scaledHeight = contentItem.height * contentItem.scale;
        if (x + scaledWidth > layer.width)
            x = layer.width - scaledWidth;
        if (y + scaledHeight > layer.height)
            y = layer.height - scaledHeight;
        contentItem.x = x;
        contentItem.y = y;
    }

    onForegroundLayerMenuContentReady: {
        updatePosition();
        show();
    }
}
