#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>
#include <QtCore/QVariantList>

// The host side of one property: a value kept normalised in 0..1 with an
// optional step grid over [minimum, maximum], an index into a list of
// numEntries entries, a string, a two-state flag and its flashing, and a
// second "soft" value. The controls reach it only through the names below.
//
// incValue(step, limit, wrapTo, wrap, useGrid) and decValue(step, limit,
// wrapTo, wrap, useGrid) raise or lower the value by step:
//   - useGrid: step is given in unnormalised units (a grid interval); the
//     result is snapped to the nearest grid point of [minimum, maximum];
//   - limit: the result stops there (1.0 when raising, 0.0 when lowering);
//   - wrap: instead of stopping, a result beyond limit jumps to wrapTo;
//   - a step of 0 means "one notch": one grid interval when there is a grid,
//     one entry (1 / (numEntries - 1)) when there is a list, else 0.01.
// Every invokable call emits called(name, arguments) before it acts.
// GUI thread only.
class orbHostTranslator : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(
        double defaultValue READ defaultValue WRITE setDefaultValue NOTIFY defaultValueChanged)
    Q_PROPERTY(double softValue READ softValue WRITE setSoftValue NOTIFY softValueChanged)
    Q_PROPERTY(bool showSoft READ showSoft WRITE setShowSoft NOTIFY showSoftChanged)
    Q_PROPERTY(double zeroValue READ zeroValue WRITE setZeroValue NOTIFY zeroValueChanged)
    Q_PROPERTY(double grid READ grid WRITE setGrid NOTIFY gridChanged)
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum NOTIFY minimumChanged)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum NOTIFY maximumChanged)
    Q_PROPERTY(double unnormalized READ unnormalized WRITE setUnnormalized NOTIFY valueChanged)
    Q_PROPERTY(bool editable READ editable WRITE setEditable NOTIFY editableChanged)
    Q_PROPERTY(QString string READ string WRITE setString NOTIFY stringChanged)
    Q_PROPERTY(int index READ index WRITE setIndex NOTIFY indexChanged)
    Q_PROPERTY(int numEntries READ numEntries WRITE setNumEntries NOTIFY numEntriesChanged)
    Q_PROPERTY(bool state READ state WRITE setState NOTIFY stateChanged)
    Q_PROPERTY(bool flashing READ flashing WRITE setFlashing NOTIFY flashingChanged)

public:
    explicit orbHostTranslator(QObject *parent = nullptr);

    double value() const { return m_value; }
    void setValue(double value);
    double defaultValue() const { return m_defaultValue; }
    void setDefaultValue(double value);
    double softValue() const { return m_softValue; }
    void setSoftValue(double value);
    bool showSoft() const { return m_showSoft; }
    void setShowSoft(bool show);
    double zeroValue() const { return m_zeroValue; }
    void setZeroValue(double value);
    double grid() const { return m_grid; }
    void setGrid(double grid);
    double minimum() const { return m_minimum; }
    void setMinimum(double minimum);
    double maximum() const { return m_maximum; }
    void setMaximum(double maximum);
    // The value in [minimum, maximum] (in [0, 1] without a range).
    double unnormalized() const;
    void setUnnormalized(double value);
    bool editable() const { return m_editable; }
    void setEditable(bool editable);
    QString string() const { return m_string; }
    void setString(const QString &string);
    int index() const { return m_index; }
    // Wraps into 0..numEntries - 1; ignored while the list is empty.
    void setIndex(int index);
    int numEntries() const { return m_numEntries; }
    void setNumEntries(int count);
    bool state() const { return m_state; }
    void setState(bool state);
    bool flashing() const { return m_flashing; }
    void setFlashing(bool flashing);

    Q_INVOKABLE void incValue(double step, double limit, double wrapTo, bool wrap, bool useGrid);
    Q_INVOKABLE void decValue(double step, double limit, double wrapTo, bool wrap, bool useGrid);
    Q_INVOKABLE void setValueToDefault();

signals:
    void called(const QString &name, const QVariantList &arguments);
    void valueChanged();
    void defaultValueChanged();
    void softValueChanged();
    void showSoftChanged();
    void zeroValueChanged();
    void gridChanged();
    void minimumChanged();
    void maximumChanged();
    void editableChanged();
    void stringChanged();
    void indexChanged();
    void numEntriesChanged();
    void stateChanged();
    void flashingChanged();

public:
    // The arguments of incValue and decValue.
    struct StepRequest
    {
        double step;
        double limit;
        double wrapTo;
        bool wrap;
        bool useGrid;
    };

private:
    void moveValue(int direction, StepRequest request);

    double m_value = 0.0;
    double m_defaultValue = 0.0;
    double m_softValue = 0.0;
    bool m_showSoft = false;
    double m_zeroValue = 0.0;
    double m_grid = 0.0;
    double m_minimum = 0.0;
    double m_maximum = 0.0;
    bool m_editable = true;
    QString m_string;
    int m_index = 0;
    int m_numEntries = 0;
    bool m_state = false;
    bool m_flashing = false;
};
