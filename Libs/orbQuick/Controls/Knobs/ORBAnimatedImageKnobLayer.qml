import QtQuick 2.15
import "Basic"

// Shows the knob's value as a frame of an animated image.
ORBBasicKnobLayer {
    function updateKnobState(value) {
        if (!item || item.frameCount === undefined || !isFinite(value))
            return;
        var frames = item.frameCount;
        item.currentFrame = Math.max(0, Math.min(frames - 1, Math.floor(value * frames)));
    }
}
