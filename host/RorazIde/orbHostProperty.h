#pragma once

#include <QtCore/QObject>
#include <QtCore/QPointer>

// QML "QObjProperty": what the host hands a control for one of its
// properties. The controls read and drive the translator by member name only,
// so any QObject may serve; it is held weakly, a destroyed translator reads
// as null. GUI thread only.
class orbHostProperty : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject *translator READ translator WRITE setTranslator NOTIFY translatorChanged)
    Q_PROPERTY(
        int translatorType READ translatorType WRITE setTranslatorType NOTIFY translatorTypeChanged)

public:
    explicit orbHostProperty(QObject *parent = nullptr);

    QObject *translator() const { return m_translator; }
    void setTranslator(QObject *translator);
    int translatorType() const { return m_translatorType; }
    void setTranslatorType(int type);

signals:
    void translatorChanged();
    void translatorTypeChanged();

private:
    QPointer<QObject> m_translator;
    QMetaObject::Connection m_destroyedConnection;
    int m_translatorType = 0;
};
