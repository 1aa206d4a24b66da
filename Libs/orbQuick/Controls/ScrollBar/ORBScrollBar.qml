import QtQuick 2.15
import QtQml 2.15

// A scroll bar for the Flickable "delegate": drag the handle, click the
// track to jump there, or turn the wheel over it.
MouseArea {
    id: bar

    property Flickable delegate: null
    property real margin: 1
    property real minimumHandleSize: 20
    property int orientation: Qt.Vertical
    readonly property alias handle: handleItem

    readonly property bool vertical: orientation === Qt.Vertical
    readonly property real ratio: {
        if (!delegate)
            return -1;
        var r = vertical ? delegate.visibleArea.heightRatio : delegate.visibleArea.widthRatio;
        return isFinite(r) ? r : -1;
    }
    readonly property real position: {
        if (!delegate)
            return 0;
        var p = vertical ? delegate.visibleArea.yPosition : delegate.visibleArea.xPosition;
        return isFinite(p) ? p : 0;
    }
    readonly property real barLength: vertical ? height : width
    readonly property real barThickness: vertical ? width : height
    readonly property real handleSize: Math.max(minimumHandleSize, ratio * (barLength - 2 * margin))
    readonly property real dragSpace: barLength - handleSize - 2 * margin
    readonly property real dragMinimum: margin
    readonly property real dragMaximum: margin + Math.max(0, dragSpace)
    readonly property real restingPosition: ratio < 1
        ? Math.min(Math.max(position / (1 - ratio) * dragSpace + margin, dragMinimum), dragMaximum)
        : margin
    readonly property bool dragging: handleArea.drag.active

    visible: ratio >= 0 && ratio < 1

    // The content's scroll range along the bar.
    function scrollRange() {
        if (!delegate)
            return 0;
        return Math.max(0, vertical ? delegate.contentHeight - delegate.height
                                    : delegate.contentWidth - delegate.width);
    }

    function setContentPosition(offset) {
        if (!delegate)
            return;
        if (vertical)
            delegate.contentY = delegate.originY + offset;
        else
            delegate.contentX = delegate.originX + offset;
    }

    // Puts the content where a handle at pos (from the start of the drag space) shows it.
    function scrollToHandle(pos) {
        var fraction = dragSpace > 0 ? Math.min(Math.max(pos / dragSpace, 0), 1) : 0;
        setContentPosition(fraction * scrollRange());
    }

    onPressed: {
        var along = vertical ? mouse.y : mouse.x;
        var pos = along - handleSize / 2 - margin;
        if (along <= barThickness)
            pos = 0;
        else if (along >= barLength - barThickness)
            pos = dragSpace;
        scrollToHandle(pos);
    }

    onWheel: {
        if (!delegate)
            return;
        var step = vertical ? wheel.angleDelta.y : (wheel.angleDelta.x !== 0 ? wheel.angleDelta.x : wheel.angleDelta.y);
        var current = vertical ? delegate.contentY - delegate.originY : delegate.contentX - delegate.originX;
        setContentPosition(Math.min(Math.max(current - step, 0), scrollRange()));
    }

    Item {
        id: handleItem
        width: bar.vertical ? bar.width - 2 * bar.margin : bar.handleSize
        height: bar.vertical ? bar.handleSize : bar.height - 2 * bar.margin

        onXChanged: {
            if (bar.dragging && !bar.vertical)
                bar.scrollToHandle(x - bar.margin);
        }
        onYChanged: {
            if (bar.dragging && bar.vertical)
                bar.scrollToHandle(y - bar.margin);
        }

        MouseArea {
            id: handleArea
            anchors.fill: parent
            preventStealing: true
            drag.target: handleItem
            drag.axis: bar.vertical ? Drag.YAxis : Drag.XAxis
            drag.threshold: 0
            drag.minimumX: bar.dragMinimum
            drag.maximumX: bar.dragMaximum
            drag.minimumY: bar.dragMinimum
            drag.maximumY: bar.dragMaximum
        }
    }

    // The handle follows the content unless the user is dragging it.
    Binding {
        target: handleItem
        property: "x"
        value: bar.vertical ? bar.margin : bar.restingPosition
        when: !bar.dragging
        restoreMode: Binding.RestoreNone
    }
    Binding {
        target: handleItem
        property: "y"
        value: bar.vertical ? bar.restingPosition : bar.margin
        when: !bar.dragging
        restoreMode: Binding.RestoreNone
    }
}
