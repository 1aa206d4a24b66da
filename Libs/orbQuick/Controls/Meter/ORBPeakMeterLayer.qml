import QtQuick 2.15

// A peak line that follows rising levels at once and holds before falling.
Rectangle {
    id: peakLine
    property Item meter: parent
    property real clipThreshold: 0.95
    property real peak: 0
    property alias interval: holdTimer.interval
    readonly property bool clipping: peak >= clipThreshold
    readonly property real volume: meter && isFinite(meter.volume) ? meter.volume : 0

    width: meter ? meter.width : 0
    height: 2
    y: (1 - peak) * (meter ? meter.height : 0)
    visible: volume > 0

    onVolumeChanged: {
        if (volume > peak)
            peak = volume;
        else if (!holdTimer.running)
            holdTimer.start();
    }

    Timer {
        id: holdTimer
        interval: 1000
        onTriggered: peakLine.peak = peakLine.volume
    }
}
