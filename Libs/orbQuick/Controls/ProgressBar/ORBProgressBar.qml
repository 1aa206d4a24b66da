import QtQuick 2.15
import RorazIde 1.0

// Progress of a host task; a value of -1 shows moving stripes instead.
Rectangle {
    id: bar
    property QObjProperty progressProp: null
    property real barPadding: 2
    property color progressBarColor: "white"
    property real indeterminateBarWidth: 15
    property color indeterminateBarColor: "#505c86"
    readonly property real progress: {
        var t = progressProp ? progressProp.translator : null;
        var v = t ? t.value : 0;
        return typeof v === "number" && isFinite(v) ? v : 0;
    }
    readonly property bool indeterminate: progress === -1
    readonly property QtObject helper: typeof root !== "undefined" && root ? root.indeterminateProgressBarHelper : null
    property bool counted: false

    function updateCount() {
        var wanted = indeterminate && helper !== null;
        if (wanted === counted)
            return;
        if (helper)
            helper.progressBarCount += wanted ? 1 : -1;
        counted = wanted;
    }

    height: 15
    color: "#3D3D3D"
    Behavior on opacity { NumberAnimation {} }

    onIndeterminateChanged: updateCount()
    Component.onCompleted: updateCount()
    Component.onDestruction: {
        if (counted && helper)
            helper.progressBarCount -= 1;
    }

    Rectangle {
        x: bar.barPadding
        y: bar.barPadding
        height: bar.height - 2 * bar.barPadding
        width: (bar.indeterminate ? 1 : Math.max(0, Math.min(1, bar.progress))) * (bar.width - 2 * bar.barPadding)
        color: bar.progressBarColor
        visible: !bar.indeterminate
    }

    Item {
        anchors.fill: parent
        anchors.margins: 2
        clip: true
        visible: bar.indeterminate

        Canvas {
            id: stripes
            width: parent.width + 4 * bar.indeterminateBarWidth
            height: parent.height
            x: (bar.helper ? bar.helper.progress : 0) * 30 - 30
            onPaint: {
                var ctx = getContext("2d");
                ctx.reset();
                ctx.fillStyle = bar.indeterminateBarColor;
                ctx.setTransform(1, 0, -1, 1, 0, 0);
                for (var x = 0; x < width + height; x += 2 * bar.indeterminateBarWidth)
                    ctx.fillRect(x, 0, bar.indeterminateBarWidth, height);
            }
        }
    }
}
