import QtQuick 2.15

ORBTextLayer {
    horizontalAlignment: Text.AlignHCenter
}
