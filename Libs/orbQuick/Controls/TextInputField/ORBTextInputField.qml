import QtQuick 2.15
import orbQuick 1.0
import RorazIde 1.0

// A one-line editor of a host property's string. The text is stored when
// editing ends (Enter or leaving the field), Escape throws the edit away.
TextInput {
    id: field

    property QObjProperty prop: null
    property bool gainFocusOnDoubleClick: false
    property bool selectAllOnActiveFocus: false
    property bool allowEmptyString: true
    property bool stepwiseAlterationByInteraction: false
    property bool updateImmediately: false
    property bool editable: true

    signal rejected()
    signal clicked(var mouse)

    // Set while the field drops its own focus, so that leaving does not store twice.
    property bool leaving: false

    enabled: {
        var t = translator();
        return t ? t.editable === true : true;
    }
    readOnly: !editable
    selectByMouse: true
    Keys.priority: Keys.AfterItem
    text: hostString()

    function translator() {
        return prop ? prop.translator : null;
    }

    function hostString() {
        var t = translator();
        return t && typeof t.string === "string" ? t.string : "";
    }

    // Shows the host's string again and follows it from now on.
    function restore() {
        text = Qt.binding(function() { return field.hostString(); });
    }

    function store() {
        var t = translator();
        if (t && t.string !== undefined)
            t.string = text;
    }

    // Stores the edit when it is acceptable, else shows the host's string again.
    function commit() {
        if (allowEmptyString || text.length > 0)
            store();
        restore();
    }

    function leave() {
        leaving = true;
        focus = false;
        leaving = false;
    }

    function step(amount) {
        var t = translator();
        if (t && typeof t.unnormalized === "number")
            t.unnormalized = t.unnormalized + amount;
    }

    onActiveFocusChanged: {
        if (activeFocus) {
            restore();
            if (selectAllOnActiveFocus)
                selectAll();
        } else if (!leaving) {
            commit();
        }
    }
    onTextEdited: {
        if (updateImmediately)
            store();
    }
    Keys.onReturnPressed: {
        commit();
        leave();
    }
    Keys.onEnterPressed: {
        commit();
        leave();
    }
    Keys.onEscapePressed: {
        restore();
        leave();
        rejected();
    }

    ORBMouseArea {
        anchors.fill: parent
        enabled: field.gainFocusOnDoubleClick || field.stepwiseAlterationByInteraction
        acceptedButtons: Qt.LeftButton
        dragAxis: ORBMouseArea.YAxis
        hideCursor: field.stepwiseAlterationByInteraction ? ORBMouseArea.OnMoved : ORBMouseArea.None
        preventStealing: field.stepwiseAlterationByInteraction
        onPressed: {
            // While editing, presses go on to the text for placing the cursor and selecting.
            mouse.accepted = !(field.activeFocus && field.editable);
        }
        onDoubleClicked: {
            if (!field.gainFocusOnDoubleClick)
                return;
            field.forceActiveFocus();
            field.selectAll();
        }
        onClicked: field.clicked(mouse)
        onMoved: {
            if (!field.stepwiseAlterationByInteraction)
                return;
            if (mouse.delta < 0)
                field.step(-1);
            else if (mouse.delta > 0)
                field.step(1);
        }
        onWheel: {
            if (!field.stepwiseAlterationByInteraction || field.activeFocus) {
                wheel.accepted = false;
                return;
            }
            if (wheel.angleDelta.y > 0)
                field.step(1);
            else if (wheel.angleDelta.y < 0)
                field.step(-1);
        }
    }
}
