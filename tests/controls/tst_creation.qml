import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/Meter"
import "qrc:/Libs/orbQuick/Controls/ProgressBar"
import "qrc:/Libs/orbQuick/Controls/Generic/Layers"
import "qrc:/Libs/orbQuick/Controls/Buttons"

ORBMainWindow {
    id: root

    QObjTranslator { id: level; value: 0.8; string: "deck A" }
    QObjProperty { id: levelProp; translator: level }
    QObjTranslator { id: busy; value: 0.5 }
    QObjProperty { id: busyProp; translator: busy }
    QObjFlashProperty { id: beat; interval: 50 }

    ORBMeter {
        id: meter
        x: 10; y: 10; width: 20; height: 100
        pVolume: levelProp
        ORBMeterLayer { content: Component { Rectangle { color: "green" } } }
        ORBGridMeterLayer { id: grid; content: Component { Rectangle { color: "black" } } }
        ORBPeakMeterLayer { id: peak; interval: 200 }
    }
    ORBMeter { id: unboundMeter; x: 40; y: 10; width: 20; height: 100; ORBMeterLayer {} ORBPeakMeterLayer {} }
    ORBProgressBar { id: progress; x: 100; y: 10; width: 200; progressProp: busyProp }
    ORBProgressBar { id: unboundProgress; x: 100; y: 40; width: 200 }
    ORBButton {
        id: flasher; x: 100; y: 80; width: 60; height: 30; prop: levelProp
        ORBSyncedFlashingButtonLayer { id: synced; pFlash: beat; content: Component { Rectangle { color: "red" } } }
        ORBTextButtonLayer { id: label; text: "Play"; content: Component { Rectangle { property color flashColor: "orange" } } }
        ORBTextLayer { id: textLayer }
    }

    TestCase {
        name: "Creation"
        when: windowShown

        function test_meterLevels() {
            compare(meter.volume, 0.8);
            compare(unboundMeter.volume, 0);
            compare(grid.children.length >= 6, true);
        }

        function test_peakHoldsThenFalls() {
            compare(peak.peak, 0.8);
            level.value = 0.3;
            compare(peak.peak, 0.8);
            tryCompare(peak, "peak", 0.3, 1000);
        }

        function test_progressFollowsTheValue() {
            compare(progress.progress, 0.5);
            compare(unboundProgress.progress, 0);
            compare(root.indeterminateProgressBarHelper.progressBarCount, 0);
        }

        function test_flashBeatToggles() {
            var first = beat.translator.state;
            tryVerify(function() { return beat.translator.state !== first }, 1000);
        }

        function test_textLayerShowsTheString() {
            compare(textLayer.text, "deck A");
            compare(label.color, "#ffffff");
        }
    }
}
