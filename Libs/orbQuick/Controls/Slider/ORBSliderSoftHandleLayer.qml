import QtQuick 2.15

// A second, half-transparent handle at the slider's soft value.
ORBSliderHandleLayer {
    handleValue: slider && isFinite(slider.softValue) ? slider.softValue : 0
    opacity: slider && slider.showSoft ? (slider.enabled ? 0.5 : 0.3) : 0
}
