import QtQuick 2.15
import "Basic"

// Turns the needle, centre dial and corona of the host's knob artwork.
ORBBasicKnobLayer {
    id: layer

    // The needle's angle for `value` on artwork `svg`: the sweep leaves
    // angleOffset degrees free on either side of straight down. The one
    // helper here: each function is made anew for every knob.
    function needleAngle(svg, value) {
        var offset = svg.angleOffset;
        if (!Number.isFinite(offset))
            offset = 0;
        return value * (360 - 2 * offset) + offset - 180;
    }

    function updateKnobState(value) {
        var svg = item;
        if (!svg || typeof svg.setRotateAroundPoint !== "function" || !isFinite(value))
            return;
        var cx = svg.width / 2;
        var cy = svg.height / 2;
        var angle = needleAngle(svg, value);
        svg.setRotateAroundPoint("Needle", angle, cx, cy, true);
        svg.setRotateAroundPoint("CenterDial", angle, cx, cy, true);
        var anchorPos = svg.normalizedCoronaAnchorPos;
        if (!Number.isFinite(anchorPos))
            anchorPos = 0;
        if (typeof svg.setStrokeDashOffset === "function")
            svg.setStrokeDashOffset("Corona", (Math.abs(anchorPos - value) - 1) * -45);
        svg.setRotateAroundPoint("Corona", Math.min(value, anchorPos) * 270, cx, cy, true);
    }

    function updateKnobSoftState(softValue) {
        var svg = item;
        if (svg && typeof svg.setRotateAroundPoint === "function" && isFinite(softValue))
            svg.setRotateAroundPoint("SoftNeedle", needleAngle(svg, softValue), svg.width / 2, svg.height / 2, true);
    }

    function updateShowSoftNeedle(show) {
        if (item && typeof item.setOpacity === "function")
            item.setOpacity("SoftNeedle", show ? 1 : 0);
    }
}
