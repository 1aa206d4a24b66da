import QtQuick 2.15
import QtTest 1.15
import orbQuick 1.0
import RorazIde 1.0
import "qrc:/Libs/orbQuick/Windows/MainWindow"
import "qrc:/Libs/orbQuick/Controls/Meter"
import "qrc:/Libs/orbQuick/Controls/ProgressBar"

// Meters on screen, the peak hold, and what the main window offers its children.
// grabImage() renders a fresh frame of the window.
ORBMainWindow {
    id: root

    Rectangle { anchors.fill: parent; color: "black" }

    QObjTranslator { id: level; value: 0.3 }
    QObjProperty { id: levelProp; translator: level }

    ORBMeter {
        id: meter
        x: 10; y: 10; width: 20; height: 100
        pVolume: levelProp
        ORBMeterLayer { content: Component { Rectangle { color: "lime" } } }
    }
    ORBMeter {
        id: peakMeter
        x: 50; y: 10; width: 20; height: 100
        pVolume: levelProp
        ORBPeakMeterLayer { id: peak; color: "red" }
    }
    ORBMeter {
        id: gridMeter
        x: 320; y: 10; width: 20; height: 100
        ORBGridMeterLayer { content: Component { Rectangle { color: "red" } } }
    }

    // Progress translators may report -1, which the stand-in's own keeps out of range.
    QtObject { id: busyA; property real value: 0.5 }
    QObjProperty { id: busyAProp; translator: busyA }
    QtObject { id: busyB; property real value: -1 }
    QObjProperty { id: busyBProp; translator: busyB }
    ORBProgressBar { id: barA; x: 100; y: 10; width: 200; progressProp: busyAProp }

    Component { id: barComponent; ORBProgressBar { width: 200 } }
    Component { id: child; Rectangle { property string label: "none"; width: 10; height: 10 } }

    TestCase {
        name: "MetersAndMainWindow"
        when: windowShown

        function isLime(c) { return c.g > 0.9 && c.r < 0.1 && c.b < 0.1 }

        function litRows(volume) {
            level.value = volume;
            var image = grabImage(meter);
            var rows = 0;
            for (var y = 0; y < 100; ++y)
                rows += isLime(image.pixel(10, y)) ? 1 : 0;
            return { rows: rows, bottom: isLime(image.pixel(10, 99)), top: isLime(image.pixel(10, 0)) };
        }

        function test_onlyTheLowerVolumeFractionShows_data() {
            return [ { tag: "0", volume: 0 }, { tag: "0.3", volume: 0.3 },
                     { tag: "0.75", volume: 0.75 }, { tag: "1", volume: 1 } ];
        }

        function test_onlyTheLowerVolumeFractionShows(data) {
            var lit = litRows(data.volume);
            verify(Math.abs(lit.rows - data.volume * 100) <= 1, "lit rows " + lit.rows);
            compare(lit.bottom, data.volume > 0);
            compare(lit.top, data.volume === 1);
        }

        function peakLineRow() {
            var image = grabImage(peakMeter);
            for (var y = 0; y < 100; ++y) {
                var c = image.pixel(10, y);
                if (c.r > 0.9 && c.g < 0.1)
                    return y;
            }
            return -1;
        }

        function test_peakHoldsThenDropsWithItsClipping() {
            level.value = 0;
            tryCompare(peak, "peak", 0, 2000);
            level.value = 0.97;
            compare(peak.peak, 0.97);
            verify(peak.clipping);
            level.value = 0.4;
            var fell = Date.now();
            wait(700);
            compare(peak.peak, 0.97);
            verify(peak.clipping);
            compare(peakLineRow(), 3);
            tryCompare(peak, "peak", 0.4, 1000);
            verify(Date.now() - fell >= 950, "held " + (Date.now() - fell) + " ms");
            verify(!peak.clipping);
            compare(peakLineRow(), 60);
            level.value = 0;
            tryVerify(function() { return !peak.visible }, 2000);
        }

        // Lines at 1 + (i / 6)^2 x 100: rows 1, 3, 12, 26, 45 and 70.
        function test_gridLinesGetDenserTowardsTheTop() {
            var image = grabImage(gridMeter);
            var rows = [];
            for (var y = 0; y < 100; ++y) {
                if (image.pixel(10, y).r > 0.9)
                    rows.push(y);
            }
            compare(rows.length, 6, JSON.stringify(rows));
            var expected = [1, 3, 12, 26, 45, 70];
            for (var i = 0; i < 6; ++i)
                verify(Math.abs(rows[i] - expected[i]) <= 1, JSON.stringify(rows));
        }

        function test_indeterminateBarsAreCountedOnRoot() {
            var helper = root.indeterminateProgressBarHelper;
            compare(helper.progressBarCount, 0);
            var spinning = barComponent.createObject(root, { progressProp: busyBProp });
            compare(helper.progressBarCount, 1);
            busyA.value = -1;
            compare(helper.progressBarCount, 2);
            var start = helper.progress;
            tryVerify(function() { return helper.progress !== start }, 1000);
            busyA.value = 0.25;
            compare(helper.progressBarCount, 1);
            spinning.destroy();
            tryCompare(helper, "progressBarCount", 0, 1000);
            busyA.value = 0.5;
        }

        function test_createComponentParentsAndProperties() {
            var made = root.createComponent(child, false, undefined, { label: "given" });
            compare(made.parent, root.foreground);
            compare(made.label, "given");
            var inside = root.openDialogComponent(child, false, meter);
            compare(inside.parent, meter);
            compare(inside.label, "none");
            var named = root.openDialogComponentWithProperties(child, false, meter, { label: "named" });
            compare(named.label, "named");
            made.destroy();
            inside.destroy();
            named.destroy();
        }

        function test_asynchronousCreationIncubates() {
            var incubator = root.createComponent(child, true, undefined, { label: "later" });
            verify(incubator);
            tryCompare(incubator, "status", Component.Ready, 2000);
            compare(incubator.object.parent, root.foreground);
            compare(incubator.object.label, "later");
            incubator.object.destroy();
        }

        function test_openDialogFromAFile() {
            var dialog = root.openDialogWithProperties(Qt.resolvedUrl("data/PlainDialog.qml"), false, undefined, { title: "hello" });
            compare(dialog.parent, root.foreground);
            compare(dialog.title, "hello");
            dialog.destroy();
            compare(root.openDialog(Qt.resolvedUrl("data/NoSuchDialog.qml"), false, undefined), undefined);
        }
    }
}
