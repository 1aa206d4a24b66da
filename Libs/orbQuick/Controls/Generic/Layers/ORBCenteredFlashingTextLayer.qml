import QtQuick 2.15

ORBFlashingTextLayer {
    horizontalAlignment: Text.AlignHCenter
}
