import QtQuick 2.15
import RorazIde 1.0

// A level meter over a host property; rotate it for horizontal or inverted use.
Item {
    id: meter
    property QObjProperty pVolume: null
    readonly property real volume: {
        var t = pVolume ? pVolume.translator : null;
        var v = t ? t.value : 0;
        return typeof v === "number" && isFinite(v) ? v : 0;
    }
}
