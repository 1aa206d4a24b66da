import QtQml 2.15

// The ways a context can be opened; an open mode may combine several of them.
QtObject {
    readonly property int leftButtonClick: 0x01
    readonly property int rightButtonClick: 0x02
    readonly property int leftButtonDoubleClick: 0x04
}
