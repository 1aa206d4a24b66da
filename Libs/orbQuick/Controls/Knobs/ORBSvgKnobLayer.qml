import QtQuick 2.15
import "Basic"

// Turns the needle, centre dial and corona of the host's knob artwork.
ORBBasicKnobLayer {
    id: layer

    function svgItem() {
        return item && typeof item.setRotateAroundPoint === "function" ? item : null;
    }

    function numberOf(source, name) {
        var v = source[name];
        return typeof v === "number" && isFinite(v) ? v : 0;
    }

    function needleAngle(svg, value) {
        var offset = numberOf(svg, "angleOffset");
        return value * (360 - 2 * offset) + offset - 180;
    }

    function updateKnobState(value) {
        var svg = svgItem();
        if (!svg || !isFinite(value))
            return;
        var cx = svg.width / 2;
        var cy = svg.height / 2;
        var angle = needleAngle(svg, value);
        svg.setRotateAroundPoint("Needle", angle, cx, cy, true);
        svg.setRotateAroundPoint("CenterDial", angle, cx, cy, true);
        var anchorPos = numberOf(svg, "normalizedCoronaAnchorPos");
        if (typeof svg.setStrokeDashOffset === "function")
            svg.setStrokeDashOffset("Corona", (Math.abs(anchorPos - value) - 1) * -45);
        svg.setRotateAroundPoint("Corona", Math.min(value, anchorPos) * 270, cx, cy, true);
    }

    function updateKnobSoftState(softValue) {
        var svg = svgItem();
        if (svg && isFinite(softValue))
            svg.setRotateAroundPoint("SoftNeedle", needleAngle(svg, softValue), svg.width / 2, svg.height / 2, true);
    }

    function updateShowSoftNeedle(show) {
        if (item && typeof item.setOpacity === "function")
            item.setOpacity("SoftNeedle", show ? 1 : 0);
    }
}
