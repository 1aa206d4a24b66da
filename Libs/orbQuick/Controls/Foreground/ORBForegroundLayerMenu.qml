import QtQuick 2.15

// A foregroundLayer menu that places its content at the menu's origin, kept inside the window.
ORBForegroundLayerMenuBase {
    id: menu

    function updatePosition() {
        if (!contentItem || !foregroundLayer)
            return;
        var window = mainWindow();
        var origin = window ? menu.mapToItem(window, menuOrigin.x, menuOrigin.y)
                            : Qt.point(menuOrigin.x, menuOrigin.y);
        var x = Math.max(0, origin.x);
        var y = Math.max(0, origin.y);
        var scaledWidth = contentItem.width * contentItem.scale;
        var scaledHeight = contentItem.height * contentItem.scale;
        if (x + scaledWidth > foregroundLayer.width)
            x = foregroundLayer.width - scaledWidth;
        if (y + scaledHeight > foregroundLayer.height)
            y = foregroundLayer.height - scaledHeight;
        contentItem.x = x;
        contentItem.y = y;
    }

    onForegroundLayerMenuContentReady: {
        updatePosition();
        show();
    }
}
