import QtQuick 2.15

// One clock for every indeterminate progress bar, so their stripes move together.
Item {
    property int progressBarCount: 0
    property real progress: 0

    NumberAnimation on progress {
        from: 0
        to: 1
        duration: 1000
        loops: Animation.Infinite
        running: progressBarCount > 0
    }
}
