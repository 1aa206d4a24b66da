import QtQuick 2.15
import "../../Controls/Foreground"

// The base of the host's main QML document; its instance is known as "root".
Item {
    id: root
    objectName: "ORBMainWindow"
    width: 1280
    height: 800

    property bool cacheItems: false
    property string createComponentErrorString: ""
    property alias indeterminateProgressBarHelper: progressHelper
    property alias foreground: foregroundItem

    function createComponentFromQml(qml, asynchronously, parentItem, properties) {
        var component = Qt.createComponent(qml);
        if (component.status === Component.Error) {
            createComponentErrorString = component.errorString();
            console.log("ORBMainWindow error while creating Component:", createComponentErrorString);
            return undefined;
        }
        return createComponent(component, asynchronously, parentItem, properties);
    }

    function createComponent(component, asynchronously, parentItem, properties) {
        var parentOfNew = parentItem ? parentItem : foregroundItem;
        var initial = properties ? properties : {};
        if (!asynchronously)
            return component.createObject(parentOfNew, initial);
        console.error("ORBMainWindow: asynchronous loading not supported.");
        var incubator = component.incubateObject(parentOfNew, initial);
        if (!incubator)
            return undefined;
        var reportFailure = function(status) {
            if (status !== Component.Error)
                return;
            createComponentErrorString = component.errorString();
            console.log("ORBMainWindow error while incubating Component:", createComponentErrorString);
        };
        if (incubator.status === Component.Error)
            reportFailure(incubator.status);
        else
            incubator.onStatusChanged = reportFailure;
        return incubator;
    }

    function openDialogComponent(component, asynchronously, parentItem) {
        return createComponent(component, asynchronously, parentItem, {});
    }

    function openDialogComponentWithProperties(component, asynchronously, parentItem, properties) {
        return createComponent(component, asynchronously, parentItem, properties);
    }

    function openDialog(qml, asynchronously, parentItem) {
        return createComponentFromQml(qml, asynchronously, parentItem, {});
    }

    function openDialogWithProperties(qml, asynchronously, parentItem, properties) {
        return createComponentFromQml(qml, asynchronously, parentItem, properties);
    }

    MouseArea {
        anchors.fill: parent
        onPressed: forceActiveFocus()
    }

    ORBIndeterminateProgressBarHelper {
        id: progressHelper
    }

    ORBForeground {
        id: foregroundItem
        z: 9999999
    }
}
