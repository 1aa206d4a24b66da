import QtQuick 2.15
import orbQuick 1.0

// The host's knob artwork: an SVG whose elements are turned, dashed and faded
// by id. Pivots are given in item coordinates and converted to the document's
// units, so the document's viewBox must start at (0, 0) and the elements must
// carry no transform of their own (a parent group may).
ORBSvgItem {
    id: knob

    // Where the lowest value sits, in degrees from straight down; 45 gives a
    // 270 degree sweep.
    property real angleOffset: 45
    // The value from which the corona grows (0 for a unipolar knob, 0.5 for
    // a bipolar one).
    property real normalizedCoronaAnchorPos: 0

    // ORBSvgNode per element id: the parts the knob layer drives are made
    // with the knob, any other on first use.
    property var elements: ({ Needle: needle, CenterDial: centerDial, Corona: corona, SoftNeedle: softNeedle })

    function element(id) {
        var node = elements[id];
        if (!node) {
            node = elementComponent.createObject(knob, { nodeId: id });
            elements[id] = node;
        }
        return node;
    }

    // Turns element `id` about (cx, cy): to `degrees` when `absolute`, else by
    // `degrees` more.
    function setRotateAroundPoint(id, degrees, cx, cy, absolute) {
        if (!isFinite(degrees) || !isFinite(cx) || !isFinite(cy))
            return;
        var node = element(id);
        // The pivot rarely moves; writing it anyway re-evaluates the size.
        if (node.pivotX !== cx)
            node.pivotX = cx;
        if (node.pivotY !== cy)
            node.pivotY = cy;
        node.rotation = absolute ? degrees : node.rotation + degrees;
    }

    function setStrokeDashOffset(id, offset) {
        if (isFinite(offset))
            element(id).stroke.dashOffset = offset;
    }

    function setOpacity(id, opacity) {
        if (isFinite(opacity))
            element(id).opacity = Math.max(0, Math.min(1, opacity));
    }

    source: Qt.resolvedUrl("knob.svg")

    // Document units per item pixel, worked out once for all elements.
    readonly property real unitsPerPixelX: width > 0 ? sourceSize.width / width : 0
    readonly property real unitsPerPixelY: height > 0 ? sourceSize.height / height : 0

    // Rotates about its centre, which is put on the pivot.
    component Element: ORBSvgNode {
        property real pivotX: 0
        property real pivotY: 0
        width: 2 * pivotX * knob.unitsPerPixelX
        height: 2 * pivotY * knob.unitsPerPixelY
    }

    Element { id: needle; nodeId: "Needle" }
    Element { id: centerDial; nodeId: "CenterDial" }
    Element { id: corona; nodeId: "Corona" }
    Element { id: softNeedle; nodeId: "SoftNeedle" }

    Component {
        id: elementComponent
        Element {}
    }
}
